// Fitting windows to the screen.
#include "ui/screenfit.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ui {

void fitWindow(QWidget *window, const QRect &available)
{
    if (available.isEmpty())
        return;
    QSize frame = window->frameGeometry().size() - window->geometry().size();
    // Before its first showing the window manager's frame is not known yet:
    // leave room for a title bar and borders.
    if (frame.isNull())
        frame = QSize(8, 32);
    const QSize room = (available.size() - frame).expandedTo(window->minimumSize());
    const QSize size = window->size().boundedTo(room);
    if (size != window->size())
        window->resize(size);
    const QSize outer = size + frame;
    const int x =
        std::clamp(window->frameGeometry().x(), available.left(),
                   std::max(available.left(), available.left() + available.width() - outer.width()));
    const int y =
        std::clamp(window->frameGeometry().y(), available.top(),
                   std::max(available.top(), available.top() + available.height() - outer.height()));
    if (QPoint(x, y) != window->frameGeometry().topLeft())
        window->move(x, y);
}

void fitWindowToScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        fitWindow(window, screen->availableGeometry());
}

} // namespace ui
