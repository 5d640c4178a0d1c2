// TTableur: the spreadsheet lesson (module code 6). The learner retypes the
// model grid into the typing grid cell by cell; leaving a non-empty cell
// with Tab or an arrow judges it against the model.
#pragma once
#include "app/lesson/lessonwindow.h"
#include "office/gridjudge.h"

class QLineEdit;

namespace office {
class StringGrid;
}

class TTableur final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTableur)
public:
    explicit TTableur(QWidget *parent = nullptr);

    void SetIni(std::int32_t code) override;

    // Cut, copy and paste on the one-cell buffer, at the recorded cell.
    bool hasClipboard() const override { return true; }
    void Couper() override;
    void Copier() override;
    void Coller() override;

    // The four lessons: the model grid's cells, then the typing grid on A1.
    void Bases();
    void Budget();
    void Repert();
    void Tarifs();

    // Pads text on the left with spaces until it is wider than width - 10
    // pixels in the window's font.
    QString Rset(const QString &text, int width) const;

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormKeyPress();
    bool StringGrid1SelectCell(int col, int row);
    bool StringGrid2SelectCell(int col, int row);
    void StringGrid2KeyDown(int vk);
    bool StringGrid2KeyPress(quint8 code);

    const office::GridJudge &judge() const { return m_judge; }
    // The model cell's character at the caret of the cell being typed, Tab
    // at its end.
    QString guideExpected() const override;

    // The controls, built when first reached.
    QLineEdit *Edit1() const { return built(m_edit1); }
    office::StringGrid *StringGrid1() const { return built(m_stringGrid1); }
    QLineEdit *Edit2() const { return built(m_edit2); }
    office::StringGrid *StringGrid2() const { return built(m_stringGrid2); }

protected:
    void build() override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The grids as SetIni leaves them for the lesson chosen.
    void showLesson();
    void loadLesson(int code);
    void showModelCell(office::GridCell at, const QString &text);
    void syncCounts();

    QLineEdit *m_edit1 = nullptr;
    office::StringGrid *m_stringGrid1 = nullptr;
    QLineEdit *m_edit2 = nullptr;
    office::StringGrid *m_stringGrid2 = nullptr;
    office::GridJudge m_judge;
};
