// Two auto-repeating arrow buttons stacked in one widget.
#include "accessories/spinbutton.h"

#include <QToolButton>

SpinButton::SpinButton(QWidget *parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    m_up->setObjectName(QStringLiteral("Up"));
    m_down->setObjectName(QStringLiteral("Down"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(400);
        b->setAutoRepeatInterval(100);
        b->setFocusPolicy(Qt::TabFocus);
    }
    connect(m_up, &QToolButton::clicked, this, &SpinButton::upClick);
    connect(m_down, &QToolButton::clicked, this, &SpinButton::downClick);
}

void SpinButton::resizeEvent(QResizeEvent *)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}
