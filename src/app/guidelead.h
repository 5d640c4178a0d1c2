// What the guide band says about the lesson in front beside the next key:
// the live figures, a red flash of the typing line at a refused key, and at
// the end of a lesson its result with the buttons that go on.
#pragma once
#include "guide/livefigures.h"
#include "progress/sessiontally.h"
#include "ui/caretrest.h"

#include <QElapsedTimer>
#include <QFont>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>

class LessonWindow;
class QAction;

namespace guide {
class ResultPanel;
class GuideBand;
} // namespace guide

class GuideLead final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GuideLead)
public:
    // The menu item that starts lesson code of module, or null.
    using LessonAction = std::function<QAction *(int module, std::int32_t code)>;

    // The class's assignments in a sentence, given the session just ended
    // (empty: no class, nothing is added).
    using ClassSentence = std::function<QString(const progress::SessionRecord *ended)>;

    // Puts its panel in the band's column.
    GuideLead(guide::GuideBand *band, LessonAction lessonAction, QObject *parent = nullptr);

    // Listens to a lesson window.
    void follow(LessonWindow *w);
    // The lesson in front and whether the band shows; another lesson in
    // front starts the figures afresh, a moment without one does not.
    void setActive(LessonWindow *w, bool shown);

    // Added under the advice at each lesson's end.
    void setClassSentence(ClassSentence sentence) { m_classSentence = std::move(sentence); }

    guide::ResultPanel *panel() const { return m_panel; }
    const guide::LiveFigures &figures() const { return m_figures; }
    // While the band shows, the caret rests when the learner does.
    const ui::CaretRest &caretRest() const { return m_caretRest; }
    // How long a refused key tints the typing line.
    static constexpr int kFlashMs = 200;

private:
    void restart();
    void judged(LessonWindow *w, std::int32_t good, std::int32_t errors);
    void completed(LessonWindow *w, bool nextPageInPlace);
    void tick();
    void flash(LessonWindow *w);
    void endFlash();
    void goOn();

    guide::ResultPanel *m_panel = nullptr;
    LessonAction m_lessonAction;
    ClassSentence m_classSentence;
    QPointer<LessonWindow> m_active;
    bool m_shown = false;
    guide::LiveFigures m_figures;
    QElapsedTimer m_clock;
    QTimer m_tick;
    ui::CaretRest m_caretRest;
    // The flashed widget, and its own palette to give back.
    QPointer<QWidget> m_flashed;
    QPalette m_palette;
    bool m_ownPalette = false;
    // In high contrast the flash strikes the line through as well.
    QPointer<guide::GuideBand> m_band;
    QFont m_font;
    bool m_ownFont = false;
    QTimer m_flashEnd;
    // Where the next-lesson button goes: a menu item, or back to the page
    // that the lesson turned itself.
    QPointer<QAction> m_next;
    QPointer<QWidget> m_backTo;
    // The result shown is of a page the lesson has turned itself: the next
    // key of the new page takes it away. Otherwise it stays until the
    // learner chooses, whatever keys follow the lesson's end.
    bool m_goesOn = false;
};
