// The guide's keyboard picture.
#include "guide/keyboardpicture.h"
#include "guide/fingerpalette.h"

#include <QPaintEvent>
#include <QPainter>

namespace guide {

namespace {

constexpr double kMargin = 4; // pixels around the keys
constexpr double kGap = 0.08; // key units between two keys

QColor qColour(ui::colour::Srgb c)
{
    return QColor(c.r, c.g, c.b);
}

} // namespace

KeyboardPicture::KeyboardPicture(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("GuideClavier"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    for (const keyboard::PhysicalKey &key : keyboard::physicalKeys())
        if (!key.place.isEmpty())
            m_bounds = m_bounds.isNull() ? key.place : m_bounds.united(key.place);
}

void KeyboardPicture::setModel(const keyboard::KeyModel *model)
{
    m_caps.clear();
    m_rest = QPixmap();
    m_faces.clear();
    for (const keyboard::PhysicalKey &key : keyboard::physicalKeys()) {
        if (key.place.isEmpty())
            continue;
        const int keycode = keyboard::xKeycode(key);
        QString cap = keyboard::keyCaption(key);
        if (cap.isEmpty() && model)
            cap = model->keycap(keycode);
        m_caps.insert(keycode, cap);
    }
    update();
}

void KeyboardPicture::setHighContrast(bool on)
{
    if (on == m_highContrast)
        return;
    m_highContrast = on;
    m_rest = QPixmap();
    m_faces.clear();
    update();
}

QVariantList KeyboardPicture::litKeys() const
{
    QVariantList keys;
    for (int keycode : m_state.lit)
        keys << keycode;
    return keys;
}

void KeyboardPicture::showState(const GuideState &state)
{
    const GuideState before = m_state;
    m_state = state;
    for (int keycode : before.lit)
        if (!state.lit.contains(keycode))
            updateKey(keycode);
    for (int keycode : state.lit)
        if (!before.lit.contains(keycode))
            updateKey(keycode);
    if (before.missed != state.missed) {
        updateKey(before.missed);
        updateKey(state.missed);
    }
    if (before.pressed != state.pressed) {
        updateKey(before.pressed);
        updateKey(state.pressed);
    }
}

void KeyboardPicture::updateKey(int keycode)
{
    const QRectF rect = keyRect(keycode);
    if (!rect.isEmpty())
        update(rect.toAlignedRect().adjusted(-2, -2, 2, 2));
}

QRectF KeyboardPicture::keyRect(int keycode) const
{
    const keyboard::PhysicalKey *key = keycode > 8 ? keyboard::keyByEvdev(keycode - 8) : nullptr;
    return key ? placeOf(*key) : QRectF();
}

QRectF KeyboardPicture::placeOf(const keyboard::PhysicalKey &k) const
{
    const keyboard::PhysicalKey *key = &k;
    if (key->place.isEmpty() || m_bounds.isEmpty())
        return QRectF();
    const double unit =
        qMin((width() - 2 * kMargin) / m_bounds.width(), (height() - 2 * kMargin) / m_bounds.height());
    if (unit <= 0)
        return QRectF();
    const QPointF origin((width() - unit * m_bounds.width()) / 2, (height() - unit * m_bounds.height()) / 2);
    const QRectF place = key->place.translated(-m_bounds.topLeft());
    return QRectF(origin + place.topLeft() * unit, place.size() * unit)
        .adjusted(unit * kGap / 2, unit * kGap / 2, -unit * kGap / 2, -unit * kGap / 2);
}

QSize KeyboardPicture::sizeHint() const
{
    return QSize(int(m_bounds.width() * 34 + 2 * kMargin), int(m_bounds.height() * 34 + 2 * kMargin));
}

int KeyboardPicture::heightForWidth(int width) const
{
    return m_bounds.isEmpty()
               ? 0
               : int((width - 2 * kMargin) * m_bounds.height() / m_bounds.width() + 2 * kMargin);
}

// The keys are drawn once at rest, into a picture of the whole keyboard,
// and each key lit or grey into a picture of its own the first time it
// shows so: a paint copies what it needs from them and strokes by hand only
// the red outline of a missed key. A learner lights few keys, so a picture
// of every key lit or grey would mostly hold keys never shown.
void KeyboardPicture::paintEvent(QPaintEvent *event)
{
    const qreal ratio = devicePixelRatioF();
    if (m_rest.isNull() || m_rest.deviceIndependentSize() != QSizeF(size()) ||
        m_rest.devicePixelRatio() != ratio) {
        m_rest = QPixmap((QSizeF(size()) * ratio).toSize());
        m_rest.setDevicePixelRatio(ratio);
        m_rest.fill(palette().color(QPalette::Window));
        QPainter painter(&m_rest);
        painter.setRenderHint(QPainter::Antialiasing);
        for (const keyboard::PhysicalKey &key : keyboard::physicalKeys())
            drawKey(painter, key, false, false);
        m_faces.clear();
    }

    QPainter painter(this);
    for (const QRect &r : event->region())
        painter.drawPixmap(r, m_rest, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
    for (const keyboard::PhysicalKey &key : keyboard::physicalKeys()) {
        const int keycode = keyboard::xKeycode(key);
        const bool lit = m_state.lit.contains(keycode);
        const bool pressed = keycode == m_state.pressed;
        if (!lit && !pressed && keycode != m_state.missed)
            continue;
        const QRect place = placeOf(key).toAlignedRect();
        const QRect r = place & event->rect();
        if (r.isEmpty())
            continue;
        if (lit || pressed)
            painter.drawPixmap(
                r, face(key, lit, pressed),
                QRectF(QPointF(r.topLeft() - place.topLeft()) * ratio, QSizeF(r.size()) * ratio));
        if (keycode == m_state.missed) {
            painter.setRenderHint(QPainter::Antialiasing);
            drawMissed(painter, key);
        }
    }
}

// A key lit or grey, drawn alone on the window's colour over the pixels its
// place covers, where the picture of every key lit or grey had it.
const QPixmap &KeyboardPicture::face(const keyboard::PhysicalKey &key, bool lit, bool pressed)
{
    const int id = keyboard::xKeycode(key) * 2 + (pressed ? 1 : 0);
    QPixmap &picture = m_faces[id];
    if (picture.isNull()) {
        const qreal ratio = devicePixelRatioF();
        const QRect place = placeOf(key).toAlignedRect();
        picture = QPixmap((QSizeF(place.size()) * ratio).toSize());
        picture.setDevicePixelRatio(ratio);
        picture.fill(palette().color(QPalette::Window));
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-place.topLeft());
        drawKey(painter, key, lit && !pressed, pressed);
    }
    return picture;
}

void KeyboardPicture::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_rest = QPixmap();
    m_faces.clear();
}

// The red outline of the key that was expected when a wrong one came.
void KeyboardPicture::drawMissed(QPainter &painter, const keyboard::PhysicalKey &key) const
{
    const QRectF rect = placeOf(key);
    if (rect.isEmpty())
        return;
    const double unit = rect.height() / (1 - kGap) / key.place.height();
    const double radius = unit * 0.12;
    painter.setPen(QPen(QColor(0xD0, 0x10, 0x10), qMax(2.0, unit * 0.09)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(1, 1, -1, -1), radius, radius);
}

void KeyboardPicture::drawKey(QPainter &painter, const keyboard::PhysicalKey &key, bool lit,
                              bool pressed) const
{
    const QRectF rect = placeOf(key);
    if (rect.isEmpty())
        return;
    const double unit = rect.height() / (1 - kGap) / key.place.height();
    const FingerLook look = fingerLook(key.finger, m_highContrast);
    QColor fill = qColour(lit ? look.lit : look.zone);
    if (pressed)
        fill = QColor(0x9A, 0x9A, 0x9A);
    const double radius = unit * 0.12;
    // A lit key is framed in black as well as coloured.
    const double frame = lit ? qMax(2.0, unit * 0.07) : 1;
    painter.setPen(QPen(lit ? QColor(Qt::black) : QColor(0x70, 0x70, 0x70), frame));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect.adjusted(frame / 2, frame / 2, -frame / 2, -frame / 2), radius, radius);
    const QColor ink = lit ? qColour(look.ink) : QColor(Qt::black);
    if (key.homeBump) {
        const double w = unit * 0.3;
        painter.setPen(QPen(ink, qMax(1.5, unit * 0.06), Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(rect.center().x() - w / 2, rect.bottom() - unit * 0.14),
                         QPointF(rect.center().x() + w / 2, rect.bottom() - unit * 0.14));
    }
    QFont font = this->font();
    if (look.number > 0 && !pressed) { // the finger's number, small in the top right corner
        font.setPixelSize(qMax(6, int(unit * 0.2)));
        font.setBold(lit);
        painter.setFont(font);
        painter.setPen(lit || m_highContrast ? ink : QColor(0x30, 0x30, 0x30));
        painter.drawText(rect.adjusted(0, unit * 0.03, -unit * 0.08, 0), Qt::AlignRight | Qt::AlignTop,
                         QString::number(look.number));
    }
    if (pressed && m_highContrast) { // struck through, for an eye that tells no grey
        painter.setPen(QPen(Qt::black, qMax(2.0, unit * 0.06)));
        painter.drawLine(rect.bottomLeft() + QPointF(unit * 0.1, -unit * 0.1),
                         rect.topRight() + QPointF(-unit * 0.1, unit * 0.1));
    }
    const QString cap = m_caps.value(keyboard::xKeycode(key));
    if (cap.isEmpty())
        return;
    painter.setPen(ink);
    font.setPixelSize(qMax(6, int(unit * (cap.size() > 2 ? 0.24 : 0.36))));
    font.setBold(lit);
    painter.setFont(font);
    const QRectF inner = rect.adjusted(unit * 0.1, unit * 0.04, -unit * 0.08, -unit * 0.06);
    if (cap.size() == 2) { // upper character over the plain one
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, cap.left(1));
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignBottom, cap.mid(1));
    } else {
        painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, cap);
    }
}

} // namespace guide
