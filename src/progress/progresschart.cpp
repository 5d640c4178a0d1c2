// Painting of the progression chart and of the keyboard picture.
#include "progress/progresschart.h"

#include "progress/azertymap.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace progress {

namespace {

const QColor kSpeedColor(0x1f, 0x5f, 0xbf);
const QColor kErrorColor(0xc8, 0x32, 0x1e);

// A round step for an axis that must reach top.
double niceStep(double top, int ticks)
{
    const double raw = std::max(top, 1.0) / ticks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (raw <= m * magnitude)
            return m * magnitude;
    return 10 * magnitude;
}

} // namespace

ProgressChart::ProgressChart(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(360, 130);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void ProgressChart::setSessions(const QList<SessionRecord> &sessions)
{
    m_sessions = sessions;
    update();
}

QString ProgressChart::graduation(double value, bool percent)
{
    const QString text = QLocale(QLocale::French, QLocale::France).toString(value, 'g', 4);
    return percent ? text + QStringLiteral("\u00a0%") : text;
}

void ProgressChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    const QRectF plot(fm.horizontalAdvance(QStringLiteral("0000")) + 10, fm.height() + 8,
                      width() - 2 * (fm.horizontalAdvance(QStringLiteral("100\u00a0%")) + 10),
                      height() - 3 * fm.height() - 14);
    if (plot.width() < 20 || plot.height() < 20)
        return;

    // Legend.
    p.setPen(kSpeedColor);
    p.drawText(QPointF(plot.left(), fm.ascent() + 2), QStringLiteral("● Frappes par minute"));
    p.setPen(kErrorColor);
    const QString errorLegend = QStringLiteral("■ Pourcentage d'erreurs");
    p.drawText(QPointF(plot.right() - fm.horizontalAdvance(errorLegend), fm.ascent() + 2), errorLegend);

    double topSpeed = 0, topError = 0;
    for (const SessionRecord &s : m_sessions) {
        topSpeed = std::max(topSpeed, s.speed());
        topError = std::max(topError, s.errorPercent());
    }
    const int ticks = 4;
    const double speedStep = niceStep(topSpeed, ticks);
    const double errorStep = niceStep(std::max(topError, 10.0), ticks);

    // Grid and both axes' graduations.
    for (int i = 0; i <= ticks; ++i) {
        const double y = plot.bottom() - plot.height() * i / ticks;
        p.setPen(QPen(palette().color(QPalette::Mid), 0.5));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(kSpeedColor);
        p.drawText(QRectF(0, y - fm.height() / 2.0, plot.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, graduation(speedStep * i, false));
        p.setPen(kErrorColor);
        p.drawText(QRectF(plot.right() + 4, y - fm.height() / 2.0, width() - plot.right(), fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, graduation(errorStep * i, true));
    }
    p.setPen(palette().color(QPalette::Text));
    p.drawRect(plot);

    if (m_sessions.isEmpty()) {
        p.drawText(plot, Qt::AlignCenter, QStringLiteral("Aucune séance enregistrée"));
        return;
    }
    const int n = int(m_sessions.size());
    auto xOf = [&](int i) {
        return n == 1 ? plot.center().x() : plot.left() + 8 + (plot.width() - 16) * i / (n - 1);
    };
    // A session whose speed is not known (too short to time) has no point on
    // the speed line: drawn at 0 it would read as a fall.
    QPainterPath speedPath, errorPath;
    for (int i = 0; i < n; ++i) {
        const QPointF ep(xOf(i),
                         plot.bottom() - plot.height() * m_sessions[i].errorPercent() / (errorStep * ticks));
        i ? errorPath.lineTo(ep) : errorPath.moveTo(ep);
        if (m_sessions[i].speed() <= 0)
            continue;
        const QPointF sp(xOf(i), plot.bottom() - plot.height() * m_sessions[i].speed() / (speedStep * ticks));
        speedPath.elementCount() ? speedPath.lineTo(sp) : speedPath.moveTo(sp);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kErrorColor, 1.5));
    p.drawPath(errorPath);
    p.setPen(QPen(kSpeedColor, 2));
    p.drawPath(speedPath);
    for (int i = 0; i < n; ++i) {
        const SessionRecord &s = m_sessions[i];
        p.setPen(Qt::NoPen);
        p.setBrush(kErrorColor);
        const QPointF ep(xOf(i), plot.bottom() - plot.height() * s.errorPercent() / (errorStep * ticks));
        p.drawRect(QRectF(ep - QPointF(2.5, 2.5), QSizeF(5, 5)));
        if (s.speed() <= 0)
            continue;
        p.setBrush(kSpeedColor);
        p.drawEllipse(QPointF(xOf(i), plot.bottom() - plot.height() * s.speed() / (speedStep * ticks)), 3.5,
                      3.5);
    }

    // French dates under the points, as many as fit.
    const QLocale french(QLocale::French, QLocale::France);
    p.setPen(palette().color(QPalette::Text));
    double lastRight = -1e9;
    for (int i = 0; i < n; ++i) {
        const QString day = french.toString(m_sessions[i].start.date(), QStringLiteral("d MMM"));
        const QString hour = french.toString(m_sessions[i].start.time(), QStringLiteral("HH:mm"));
        const double w = std::max(fm.horizontalAdvance(day), fm.horizontalAdvance(hour)) + 6;
        const double x = xOf(i);
        if (x - w / 2 < lastRight)
            continue;
        p.drawText(QRectF(x - w / 2, plot.bottom() + 3, w, fm.height()), Qt::AlignCenter, day);
        p.drawText(QRectF(x - w / 2, plot.bottom() + 3 + fm.height(), w, fm.height()), Qt::AlignCenter, hour);
        lastRight = x + w / 2;
    }
}

KeyboardMap::KeyboardMap(QWidget *parent)
    : QWidget(parent)
{
    // No height for width: inside a scrolling window that would make the
    // window as high as every part's preferred height. The keys keep their
    // shape whatever the room (see the unit below).
    setMinimumSize(300, 110);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void KeyboardMap::setRates(const QList<double> &rates)
{
    m_rates = rates;
    update();
}

QColor KeyboardMap::rateColor(double rate)
{
    const double t = std::clamp(rate / 0.3, 0.0, 1.0);
    return QColor::fromHsvF(float((1.0 - t) * 120.0 / 360.0), 0.75f, 0.9f);
}

void KeyboardMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double unit = std::min(width() / kMapWidth, height() / (kMapHeight + 0.6));
    const std::span<const MapKey> keys = azertyKeys();
    QFont small = font();
    small.setPixelSize(std::max(7, int(unit * 0.32)));
    p.setFont(small);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const QRectF r(keys[i].place.x() * unit + 1, keys[i].place.y() * unit + 1,
                       keys[i].place.width() * unit - 2, unit - 2);
        const double rate = qsizetype(i) < m_rates.size() ? m_rates[qsizetype(i)] : -1;
        p.setPen(QPen(palette().color(QPalette::Dark), 1));
        p.setBrush(rate < 0 ? palette().color(QPalette::Button) : rateColor(rate));
        p.drawRoundedRect(r, unit * 0.12, unit * 0.12);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, keys[i].caption);
    }
    // Legend: the scale from green to red.
    const QRectF bar(0, kMapHeight * unit + unit * 0.15, unit * 4, unit * 0.3);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    for (int s = 0; s <= 4; ++s)
        gradient.setColorAt(s / 4.0, rateColor(0.3 * s / 4.0));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRect(bar);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(
        QRectF(bar.right() + 6, bar.top() - unit * 0.2, unit * 10, unit * 0.7),
        Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("0\u00a0% à 30\u00a0% d'erreurs et plus\u00a0; gris\u00a0: pas encore demandée"));
}

} // namespace progress
