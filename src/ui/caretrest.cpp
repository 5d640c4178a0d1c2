// The caret at rest: the application's cursor flash time set to none (a
// steady caret) and given back at the next key or click.
#include "ui/caretrest.h"

#include <QApplication>
#include <QEvent>

namespace ui {

CaretRest::CaretRest(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CaretRest::rest);
}

CaretRest::~CaretRest()
{
    setEnabled(false);
}

void CaretRest::setEnabled(bool enabled)
{
    if (enabled == m_enabled || !qApp)
        return;
    m_enabled = enabled;
    if (enabled) {
        qApp->installEventFilter(this);
        wake();
    } else {
        qApp->removeEventFilter(this);
        m_timer.stop();
        if (m_resting) {
            m_resting = false;
            QApplication::setCursorFlashTime(m_flashTime);
        }
    }
}

bool CaretRest::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::InputMethod:
    case QEvent::Wheel:
        wake();
        break;
    default:
        break;
    }
    return false;
}

// A key only notes its time: the timer is set again when it runs out.
void CaretRest::wake()
{
    m_sinceInput.start();
    if (m_resting) {
        m_resting = false;
        QApplication::setCursorFlashTime(m_flashTime);
    }
    if (!m_timer.isActive())
        m_timer.start(m_restMs);
}

void CaretRest::rest()
{
    const qint64 left = m_restMs - m_sinceInput.elapsed();
    if (left > 0) {
        m_timer.start(int(left));
        return;
    }
    m_flashTime = QApplication::cursorFlashTime();
    if (m_flashTime <= 0)
        return;
    m_resting = true;
    QApplication::setCursorFlashTime(0);
}

} // namespace ui
