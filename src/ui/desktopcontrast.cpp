#include "ui/desktopcontrast.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace ui {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kContrast = QStringLiteral("contrast");
const QString kGnome = QStringLiteral("org.gnome.desktop.a11y.interface");
const QString kHighContrast = QStringLiteral("high-contrast");

// Portals before version 2 of the interface wrap the value twice.
QVariant unwrapped(QVariant value)
{
    for (int depth = 0; depth < 4 && value.canConvert<QDBusVariant>(); ++depth)
        value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

std::optional<bool> contrastSetting(const QString &group, const QString &key, const QVariant &wrapped)
{
    const QVariant value = unwrapped(wrapped);
    if (group == kAppearance && key == kContrast) {
        const auto type = value.metaType().id();
        if (type == QMetaType::UInt || type == QMetaType::Int)
            return value.toUInt() == 1;
        return std::nullopt;
    }
    if (group == kGnome && key == kHighContrast && value.metaType().id() == QMetaType::Bool)
        return value.toBool();
    return std::nullopt;
}

DesktopContrast::DesktopContrast(QObject *parent) : QObject(parent) {}

void DesktopContrast::ask()
{
    if (m_asked)
        return;
    m_asked = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(kService, kPath, kInterface, QStringLiteral("SettingChanged"), this,
                SLOT(settingChanged(QString, QString, QDBusVariant)));
    read(kAppearance, kContrast);
    read(kGnome, kHighContrast);
}

void DesktopContrast::read(const QString &group, const QString &key)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Read"));
    call << group << key;
    // A portal that does not answer soon is as good as none.
    auto *watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, 5000), this);
    ++m_pending;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, group, key](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        --m_pending;
        const QDBusPendingReply<QDBusVariant> reply = *w;
        if (!reply.isError())
            take(group, key, reply.argumentAt(0));
    });
}

void DesktopContrast::settingChanged(const QString &group, const QString &key, const QDBusVariant &value)
{
    take(group, key, value.variant());
}

void DesktopContrast::take(const QString &group, const QString &key, const QVariant &value)
{
    const std::optional<bool> high = contrastSetting(group, key, value);
    if (!high)
        return;
    const bool before = this->high();
    (group == kAppearance ? m_appearance : m_gnome) = *high;
    if (this->high() != before)
        Q_EMIT changed(this->high());
}

} // namespace ui
