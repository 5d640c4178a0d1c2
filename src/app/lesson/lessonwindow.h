// The contract every lesson window keeps with the frame: choose a lesson by
// code, give the code back, show the statistics, run the chronometer.
#pragma once
#include "progress/sessiontally.h"
#include "ui/deferreddialog.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>

class QFrame;
class QTimer;

namespace ui {
class ClickLabel;
}

class LessonWindow : public QWidget, public ui::DeferredControls
{
    Q_OBJECT
public:
    // moduleCode: 1 TClavier ... 7 TSaisie, as the lesson file writes it.
    LessonWindow(const QString &name, int moduleCode, int helpContext, QWidget *parent = nullptr);

    // Selects a lesson and starts it afresh; the base only records the code.
    virtual void SetIni(std::int32_t code);
    std::int32_t GetIni() const { return m_code; }
    // Before a menu item starts lesson code: a lesson that needs something
    // from the learner first asks for it here; false when none was given,
    // and the lesson in progress goes on.
    virtual bool prepareLesson(std::int32_t code);

    // Hands good count, errors and seconds to the statistics window and shows it.
    virtual void Statistic();

    // Chronometer toggle started from a click on the time display: on a start
    // the display shows clickStartText() and the count starts at 1.
    virtual void StaticText1Click();
    // Chronometer toggle of the frame's command in the windows without a
    // click variant: the display is not touched.
    virtual void SetTemps();
    // One second of the chronometer: show the time, then count the second.
    virtual void Timer1Timer();

    // What the frame's commands ask of the lesson in front; the base has no
    // clipboard, no text style and takes no characters.
    // The frame's chronometer command: SetTemps unless the window overrides it.
    virtual void toggleChronometer() { SetTemps(); }
    // Cut, copy and paste (the Edition items are enabled when it has them).
    virtual bool hasClipboard() const { return false; }
    virtual void Couper() {}
    virtual void Copier() {}
    virtual void Coller() {}
    // Bold and underline (the two toolbar buttons are enabled when it has them).
    virtual bool hasTextStyle() const { return false; }
    virtual void Gras() {}
    virtual void Souligne() {}
    // The character table inserts its choice into the lesson when it takes
    // characters; otherwise the frame only shows the table.
    virtual bool takesCharacters() const { return false; }
    virtual void Caracteres() {}

    // The frame brings this window to the front: the control that its last
    // SetIni chose takes the focus (null when the window keeps its own).
    QWidget *takeEntry();

    // A window that defers its controls (deferControls() in its constructor)
    // builds them in build(), once: at the first call that reaches one of
    // them, when it comes to the front or is painted, or when the frame
    // builds the windows left behind; build() then shows the lesson its last
    // SetIni chose, as SetIni would have.
    // A window shown on its own, outside the frame's lesson area, builds
    // its controls first.
    void setVisible(bool visible) override;

    // The learner's text size as this window shows it (1 at 100 %): fonts,
    // places and sizes scaled, the child window in the frame as well.
    // family: the learner's font for the lines read and typed, empty for the
    // window's own.
    void setTextZoom(double factor, const QString &family = {});
    double textZoom() const { return m_zoom; }
    // A size at 100 % as the window has it now.
    QSize zoomed(QSize size) const;

    int moduleCode() const { return m_module; }
    int helpContext() const { return m_helpContext; }
    // Window flags of the child window in the frame.
    virtual Qt::WindowFlags subWindowFlags() const;

    std::int32_t good() const { return m_good; }
    std::int32_t errors() const { return m_errors; }
    std::int32_t seconds() const { return m_seconds; }
    bool chronometerRunning() const;

    // "Bon : n     Erreurs : m"
    static QString scoreLine(std::int32_t good, std::int32_t errors);
    // minutes ":" seconds, neither padded.
    static QString elapsedText(std::int32_t seconds);

    // The guide: the next character to type (the key's name in the key
    // drill); empty when nothing is expected.
    virtual QString guideExpected() const { return QString(); }
    // Of that character: how many keys of its plain stand-in are typed
    // already ("o" of "oe" for "œ"), and the characters the lesson passed
    // over just before it, which the learner's layout cannot type.
    virtual int guideStandInTyped() const { return 0; }
    virtual QString guidePassed() const { return QString(); }

    // The session of the lesson in progress, counted since the last SetIni.
    const progress::SessionTally &session() const { return m_session; }
    // Ends it and records it when it holds a judged key (the next SetIni,
    // the end of the run). parent tells the learner of a failure to record.
    void endSession(QWidget *parent);
    // Another learner takes over: the session so far is recorded, and the
    // lesson goes on in a new one.
    void handOverSession(QWidget *parent);
    // The session in progress as it would be recorded now, if it holds a
    // judged key.
    std::optional<progress::SessionRecord> sessionSoFar() const;

    QTimer *Timer1 = nullptr;
    QFrame *Panel2 = nullptr;
    ui::ClickLabel *StaticText2 = nullptr;

signals:
    // What guideExpected() gives may have changed: a judged key, a new
    // lesson, a caret moved.
    void guideChanged();
    // A key refused: the character expected and the one typed.
    void guideRefused(const QString &expected, const QString &typed);
    // Discovery: the key just pressed (X keycode, 0 when the system gives
    // none), what it typed and its virtual-key code.
    void guideKeyPressed(int keycode, const QString &text, int virtualKey);
    // A judgement as noteJudged tells it to the session (for live figures).
    void keyJudged(std::int32_t good, std::int32_t errors);
    // SetIni started a lesson afresh.
    void lessonStarted();
    // The last character of the lesson was typed: an exercise's last line,
    // a phrase page, a text. nextPageInPlace: the window already shows the
    // next page of the same lesson.
    void lessonCompleted(bool nextPageInPlace);

protected:
    void build() override {}
    void controlsAdded() override;
    bool event(QEvent *event) override;

    // Builds the time display (Panel2 with StaticText2 showing "0:0") at pos
    // inside parent; a click on it runs StaticText1Click.
    void createTimeDisplay(QWidget *parent, QPoint pos);
    virtual QString clickStartText() const { return QStringLiteral("1"); }
    // A judged key or answer: the keystrokes it counted good and the errors
    // it counted, as added to the window's counters.
    void noteJudged(std::int32_t good, std::int32_t errors);
    // The character (or key name) that was asked for, typed right or missed.
    // pressed: the character typed instead of a missed one, when known.
    void noteKey(const QString &expected, bool right, const QString &pressed = {});
    // Names the session in progress in the journal (a file's name).
    void setSessionTitle(const QString &title) { m_session.setTitle(title); }
    // Gives target the focus while this window is the one in front; a window
    // behind the others keeps it for its next showing, so that the learner's
    // keys never go to a hidden lesson.
    void focusEntry(QWidget *target);

    std::int32_t m_code = 0;
    std::int32_t m_good = 0;
    std::int32_t m_errors = 0;
    std::int32_t m_seconds = 0;

private:
    void toggleTimer();
    bool inFront() const;
    bool coveredInArea() const;

    QPointer<QWidget> m_entry;
    double m_zoom = 1.0;
    QString m_family;
    int m_module;
    int m_helpContext;
    std::int32_t sessionSeconds() const;

    progress::SessionTally m_session;
    // The chronometer ticked during the session; its count when the session
    // began (a chronometer left running goes on counting from there).
    bool m_chronometerRan = false;
    std::int32_t m_secondsAtStart = 0;
};
