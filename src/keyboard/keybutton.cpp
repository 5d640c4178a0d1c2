// Key buttons of the keyboard picture.
#include "keyboard/keybutton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

#include <algorithm>

namespace keyboard {

KeyButton::KeyButton(QWidget *parent)
    : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCheckable(false);
}

void KeyButton::setPicture(const QIcon &picture, int bottomMargin)
{
    m_picture = picture;
    m_pictureMargin = bottomMargin;
    update();
}

void KeyButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // The style draws the button face only; caption and picture are placed here.
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    const bool down = option.state & QStyle::State_Sunken;
    const QPoint shift = down ? QPoint(1, 1) : QPoint();
    if (!m_picture.isNull()) {
        const QSize size(16, 16);
        const int x = (width() - size.width()) / 2;
        const int y =
            m_pictureMargin < 0 ? (height() - size.height()) / 2 : height() - m_pictureMargin - size.height();
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        m_picture.paint(&painter, QRect(QPoint(x, y) + shift, size), Qt::AlignCenter, mode);
    }
    if (!text().isEmpty()) {
        QRect area = rect().translated(shift);
        Qt::Alignment align = Qt::AlignCenter;
        if (m_captionMargin >= 0) {
            area.setLeft(area.left() + m_captionMargin);
            align = Qt::AlignLeft | Qt::AlignVCenter;
        }
        // Narrow the letters of a caption that would not fit ("Num L"), by
        // squeezing the painter: a stretched font would be one more font to
        // load (a fontconfig match each) at the window's first paint.
        const int room = area.width() - (m_captionMargin >= 0 ? 0 : 2);
        const int needed = fontMetrics().horizontalAdvance(text());
        if (needed > room && room > 0) {
            const qreal squeeze = std::max(0.5, qreal(room) / needed);
            painter.translate(area.left(), 0);
            painter.scale(squeeze, 1);
            area = QRect(0, area.top(), qRound(area.width() / squeeze), area.height());
        }
        style()->drawItemText(&painter, area, int(align), palette(), isEnabled(), text(),
                              QPalette::ButtonText);
    }
}

} // namespace keyboard
