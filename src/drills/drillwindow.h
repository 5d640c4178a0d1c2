// The window shared by the key-group exercises and the phrase drills: an
// instruction line, a score line, three read-only model lines each above a
// typing line, and the time display. Every typed character is judged before
// it is inserted; the judging itself lives in LineDrill.
#pragma once
#include "app/lesson/lessonwindow.h"
#include "drills/linedrill.h"

#include <QColor>

class QLabel;
class QLineEdit;

namespace ui {
class HookLineEdit;
}

class DrillWindow : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrillWindow)
public:
    // How the two windows differ in look.
    struct Look
    {
        QColor background;
        int editHeight;
        int editFontPixels;
        QString score; // Label2 at creation
    };

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    // The model and typing lines, built when first reached.
    QLineEdit *Edit1() const { return modelLine(0); }
    ui::HookLineEdit *Edit2() const { return typingLine(0); }
    QLineEdit *Edit3() const { return modelLine(1); }
    ui::HookLineEdit *Edit4() const { return typingLine(1); }
    QLineEdit *Edit5() const { return modelLine(2); }
    ui::HookLineEdit *Edit6() const { return typingLine(2); }

    ~DrillWindow() override;

    // Key handlers of the typing lines: true lets the character in.
    bool Edit2KeyPress(quint8 key) { return keyPress(0, key); }
    bool Edit4KeyPress(quint8 key) { return keyPress(1, key); }
    bool Edit6KeyPress(quint8 key) { return keyPress(2, key); }
    // A typing line takes the focus.
    void Edit2Enter() { enterLine(0); }
    void Edit4Enter() { enterLine(1); }
    void Edit6Enter() { enterLine(2); }

    // The window is shown: top edge kept inside the frame, errors forgotten
    // (the score line shows the old figure until the next key).
    void FormShow();
    // The window keeps its size whatever is asked.
    void FormResize();

    // The frame's chronometer command works as a click on the time display.
    void toggleChronometer() override { StaticText1Click(); }
    // The model character at the caret of the line being typed (before the
    // part of its stand-in typed so far).
    QString guideExpected() const override;
    int guideStandInTyped() const override;
    QString guidePassed() const override;

    QLineEdit *modelLine(int line) const { return built(m_models[line]); }
    ui::HookLineEdit *typingLine(int line) const { return built(m_typing[line]); }

protected:
    DrillWindow(const QString &name, int moduleCode, int helpContext, const Look &look, QWidget *parent);

    // What a screen reader calls the parts the two windows share: the
    // lines ("ligne", "phrase"), the help of a typing line, of the instruction.
    struct Spoken
    {
        QString line;
        QString typingHelp;
        QString instructionHelp;
    };
    void nameForScreenReader(const Spoken &spoken);

    virtual drills::LineDrill &drill() = 0;
    // Judges one key; the phrases turn pages on top of the line judging.
    virtual drills::Verdict judge(int line, int caret, quint8 key) { return drill().judge(line, caret, key); }
    // After the last line: the window already shows a next page to type.
    virtual bool nextPageInPlace() const { return false; }

    // Brings the widgets in line with the drill: model texts, highlights,
    // typing lines (but `skipTyped`, which the key in progress fills).
    void showDrill(int skipTyped = -1);
    // Counts into the contract's counters, and the score line.
    void showScore();
    // Gives the focus to a typing line; its entry step has been done by the
    // drill, so the focus change does not repeat it.
    void focusLine(int line);

    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void build() override;

private:
    bool keyPress(int line, quint8 key);
    void enterLine(int line);
    void focusChanged(QWidget *now);
    void tellRefusedKey();
    void applySpokenNames();

    QLineEdit *m_models[drills::LineDrill::LineCount] = {};
    ui::HookLineEdit *m_typing[drills::LineDrill::LineCount] = {};
    QMetaObject::Connection m_focusConnection;
    // Until the lines are built: their height and type, the names a screen
    // reader gives them, the typing line that is to take the focus.
    int m_editHeight;
    int m_editFontPixels;
    Spoken m_spoken;
    int m_focusLine = 0;
};
