// TSaisie: the data-entry lesson (module code 7). The learner retypes the
// model form's five fields into the entry form; a field left with a wrong
// value takes the focus back, and once the fifth field is right Page Down
// and Page Up step through the lesson's records.
#pragma once
#include "app/lesson/lessonwindow.h"
#include "office/formcheck.h"
#include "office/windowplace.h"

#include <QPointer>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;

class TSaisie final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSaisie)
public:
    explicit TSaisie(QWidget *parent = nullptr);

    void SetIni(std::int32_t code) override;
    Qt::WindowFlags subWindowFlags() const override;

    // Chronometer toggle of a click on the time display.
    void StaticText2Click() { StaticText1Click(); }

    // The three lessons at the current record number.
    void Bases();
    void Repertoire();
    void Stock();

    // Handlers.
    void Edit6Exit() { fieldExit(1); }
    void Edit7Exit() { fieldExit(2); }
    void Edit8Exit() { fieldExit(3); }
    void Edit9Exit() { fieldExit(4); }
    void Edit10Exit() { fieldExit(5); }
    void FormKeyDown(int vk);
    void FormShow();
    void FormResize();
    void FormClick();

    const office::FormCheck &check() const { return m_check; }
    // The model field's character at the caret of the field being typed,
    // Tab at its end.
    QString guideExpected() const override;

    QGroupBox *GroupBox1 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QLabel *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr;
    QLineEdit *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildForm(QGroupBox *box, std::array<QLabel *, 5> &labels, std::array<QLineEdit *, 5> &edits,
                   int firstNumber, bool entry);
    void fieldExit(int row);
    void fieldLeft(int row);
    void takeFocus(QLineEdit *field);
    void showLesson(int code);
    void showLabels(int code);
    void showRecords(int code);
    void emptyEntries();
    void syncCounts();
    QWidget *placeHolder();

    std::array<QLabel *, 5> m_modelLabels{};
    std::array<QLabel *, 5> m_entryLabels{};
    std::array<QLineEdit *, 5> m_models{};
    std::array<QLineEdit *, 5> m_entries{};
    office::FormCheck m_check;
    // A wrong field gets the focus back once the move that left it is over;
    // the exits that this return causes on the way are not exits.
    QPointer<QLineEdit> m_pendingFocus;
    bool m_returningFocus = false;
};
