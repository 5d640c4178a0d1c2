#include "ui/clicklabel.h"

#include <QMouseEvent>

namespace ui {

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace ui
