// Event filter giving a window first sight of its children's key events.
#include "ui/keypreview.h"

#include <QChildEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace ui {

KeyPreview::KeyPreview(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    watch(window);
}

void KeyPreview::watch(QObject *object)
{
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject *child : object->children())
        watch(child);
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded: watch(static_cast<QChildEvent *>(event)->child()); return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return handleKey(watched, static_cast<QKeyEvent *>(event));
    case QEvent::InputMethod: return handleCommit(watched, event);
    default: return false;
    }
}

// The first receiver handles the event and delivers it to itself, so that
// the parents it would propagate to do not see it a second time.
bool KeyPreview::handleKey(QObject *watched, QKeyEvent *event)
{
    bool swallow = false;
    if (event->type() == QEvent::KeyPress) {
        const int code = m_keys.keyDown(event);
        if (code && keyDown)
            swallow = keyDown(code);
        if (!swallow && keyPress)
            for (quint8 c : charCodesOf(event))
                swallow = keyPress(c) || swallow;
    } else if (!event->isAutoRepeat()) {
        // X11 sends a release before each repeated press of a held key; a
        // held key repeats its key-down only, as on Windows.
        const int code = m_keys.keyUp(event);
        if (code && keyUp)
            swallow = keyUp(code);
    }
    if (!swallow && watched != m_window)
        static_cast<QObject *>(watched)->event(event);
    return true;
}

bool KeyPreview::handleCommit(QObject *watched, QEvent *event)
{
    auto *im = static_cast<QInputMethodEvent *>(event);
    bool swallow = false;
    if (keyPress)
        for (quint8 c : charCodesOf(im->commitString()))
            swallow = keyPress(c) || swallow;
    if (!swallow && watched != m_window)
        static_cast<QObject *>(watched)->event(event);
    return true;
}

} // namespace ui
