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

    QGroupBox *GroupBox1 = nullptr; // with the time display
    // The entry form and the fields of both, built when first reached.
    QGroupBox *GroupBox2() const { return built(m_groupBox2); }
    QLabel *Label1() const { return built(m_modelLabels[0]); }
    QLabel *Label2() const { return built(m_modelLabels[1]); }
    QLabel *Label3() const { return built(m_modelLabels[2]); }
    QLabel *Label4() const { return built(m_modelLabels[3]); }
    QLabel *Label5() const { return built(m_modelLabels[4]); }
    QLabel *Label6() const { return built(m_entryLabels[0]); }
    QLabel *Label7() const { return built(m_entryLabels[1]); }
    QLabel *Label8() const { return built(m_entryLabels[2]); }
    QLabel *Label9() const { return built(m_entryLabels[3]); }
    QLabel *Label10() const { return built(m_entryLabels[4]); }
    QLineEdit *Edit1() const { return built(m_models[0]); }
    QLineEdit *Edit2() const { return built(m_models[1]); }
    QLineEdit *Edit3() const { return built(m_models[2]); }
    QLineEdit *Edit4() const { return built(m_models[3]); }
    QLineEdit *Edit5() const { return built(m_models[4]); }
    QLineEdit *Edit6() const { return built(m_entries[0]); }
    QLineEdit *Edit7() const { return built(m_entries[1]); }
    QLineEdit *Edit8() const { return built(m_entries[2]); }
    QLineEdit *Edit9() const { return built(m_entries[3]); }
    QLineEdit *Edit10() const { return built(m_entries[4]); }

protected:
    void build() override;
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

    QGroupBox *m_groupBox2 = nullptr;
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
