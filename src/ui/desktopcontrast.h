// Whether the desktop asks for high contrast: the desktop portal's appearance
// setting, and GNOME's accessibility switch as the portal relays it. Read
// without waiting, and followed while the program runs.
#pragma once
#include <QObject>
#include <QVariant>

#include <optional>

class QDBusVariant;

namespace ui {

// What one portal setting says of the contrast: org.freedesktop.appearance's
// "contrast" (1 for high) or org.gnome.desktop.a11y.interface's
// "high-contrast"; nothing for any other setting or a value of another type.
std::optional<bool> contrastSetting(const QString &group, const QString &key, const QVariant &value);

class DesktopContrast final : public QObject
{
    Q_OBJECT
public:
    explicit DesktopContrast(QObject *parent = nullptr);

    // Asks the portal on the session bus and listens for its changes; high()
    // stays false until it answers, and on a desktop without a portal.
    void ask();
    bool high() const { return m_appearance || m_gnome; }
    // Asked, and every answer in (or the bus is gone).
    bool settled() const { return m_asked && m_pending == 0; }

Q_SIGNALS:
    void changed(bool high);

private Q_SLOTS:
    void settingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    void read(const QString &group, const QString &key);
    void take(const QString &group, const QString &key, const QVariant &value);

    bool m_asked = false;
    int m_pending = 0;
    bool m_appearance = false;
    bool m_gnome = false;
};

} // namespace ui
