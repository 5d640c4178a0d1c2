// The system clock through systemd-timedated, or clock_settime without it.
#include "ui/accessories_clocksetter.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace ui {
namespace {

// Authorisation prompts may take the user a while.
constexpr int kTimedatedTimeoutMs = 120000;

QString timedatedReason(const QDBusMessage &reply)
{
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"))
        return QStringLiteral("la synchronisation automatique de l'heure (NTP) est active");
    if (name.endsWith(QLatin1String(".AccessDenied")) || name.endsWith(QLatin1String(".NotAuthorized")) ||
        name.endsWith(QLatin1String(".InteractiveAuthorizationRequired")) ||
        name.endsWith(QLatin1String(".AuthenticationRequired")))
        return QStringLiteral("l'autorisation a été refusée");
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Timeout"))
        return QStringLiteral("le service de l'heure n'a pas répondu");
    return QStringLiteral("le service de l'heure a refusé (%1)").arg(reply.errorMessage());
}

// True when the error means that no timedated answers on this machine.
bool serviceMissing(const QDBusMessage &reply)
{
    const QString name = reply.errorName();
    return name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
           name == QLatin1String("org.freedesktop.DBus.Error.Disconnected") ||
           name == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
           name == QLatin1String("org.freedesktop.DBus.Error.UnknownObject") ||
           name == QLatin1String("org.freedesktop.DBus.Error.Spawn.ServiceNotFound") ||
           name == QLatin1String("org.freedesktop.systemd1.NoSuchUnit");
}

QString setWithClockSettime(qint64 msecsSinceEpoch)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(msecsSinceEpoch / 1000);
    ts.tv_nsec = static_cast<long>(msecsSinceEpoch % 1000) * 1000000L;
    if (::clock_settime(CLOCK_REALTIME, &ts) == 0)
        return {};
    if (errno == EPERM)
        return QStringLiteral("il faut les droits d'administrateur pour changer l'heure du système");
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QString SystemClockSetter::setLocalTime(const QDateTime &local)
{
    if (!local.isValid())
        return QStringLiteral("cette date ou cette heure n'existe pas");
    const qint64 msecs = local.toMSecsSinceEpoch();
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
            QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("SetTime"));
        call << qlonglong(msecs * 1000) << false << true;
        call.setInteractiveAuthorizationAllowed(true);
        const QDBusMessage reply = bus.call(call, QDBus::BlockWithGui, kTimedatedTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return {};
        if (!serviceMissing(reply))
            return timedatedReason(reply);
    }
    return setWithClockSettime(msecs);
}

namespace {
std::unique_ptr<ClockSetter> &instance()
{
    static std::unique_ptr<ClockSetter> p;
    return p;
}
} // namespace

ClockSetter &clockSetter()
{
    if (!instance())
        instance() = std::make_unique<SystemClockSetter>();
    return *instance();
}

std::unique_ptr<ClockSetter> setClockSetter(std::unique_ptr<ClockSetter> setter)
{
    std::unique_ptr<ClockSetter> old = std::move(instance());
    instance() = std::move(setter);
    return old;
}

} // namespace ui
