// The desktop's high-contrast theme, as a desktop portal on the test's own
// session bus says it: read once the guide's band is built, and followed
// while the program runs; the learner's own choice stands beside it.
#include "app/forms.h"
#include "app/tmainform.h"
#include "guide/guideband.h"
#include "keymodel/keymodel.h"
#include "support/testsupport.h"
#include "ui/desktopcontrast.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QtTest>

#include <memory>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Settings");

// The portal's Settings interface, on a connection of its own.
class FakePortal final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    QHash<QString, QVariant> values; // "group key" -> what Read answers
    bool wrapTwice = false;          // as portals before version 2 answer
    int reads = 0;

    explicit FakePortal(QDBusConnection bus) : m_bus(bus) {}

    void change(const QString &group, const QString &key, const QVariant &value)
    {
        QDBusMessage signal = QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("SettingChanged"));
        signal << group << key << QVariant::fromValue(QDBusVariant(value));
        QVERIFY(m_bus.send(signal));
    }

public Q_SLOTS:
    QDBusVariant Read(const QString &group, const QString &key, const QDBusMessage &message)
    {
        ++reads;
        const auto found = values.constFind(group + QLatin1Char(' ') + key);
        if (found == values.constEnd()) {
            message.setDelayedReply(true);
            m_bus.send(message.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                                                QStringLiteral("Requested setting not found")));
            return {};
        }
        return wrapTwice ? QDBusVariant(QVariant::fromValue(QDBusVariant(*found))) : QDBusVariant(*found);
    }

private:
    QDBusConnection m_bus;
};

} // namespace

class TestDesktopContrast : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void bandFollowsTheDesktop_data();
    void bandFollowsTheDesktop();

private:
    QTemporaryDir m_home;
    std::unique_ptr<test::PrompterScope> m_prompter;
    std::unique_ptr<test::TempCwd> m_cwd;
    std::unique_ptr<FakePortal> m_portal;
};

void TestDesktopContrast::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("needs a session bus (the test runs under dbus-run-session)");
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    keyboard::LiveKeyModel::instance().useLayout(QStringLiteral("fr"));
}

void TestDesktopContrast::cleanup()
{
    test::stopProgram();
    m_prompter.reset();
    m_cwd.reset();
    if (m_portal) {
        QDBusConnection bus = QDBusConnection(QStringLiteral("portal"));
        bus.unregisterObject(kPath);
        bus.unregisterService(kService);
        m_portal.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
    }
}

void TestDesktopContrast::bandFollowsTheDesktop_data()
{
    QTest::addColumn<bool>("portal");
    QTest::addColumn<QString>("setting"); // "group key", empty for none
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("wrapTwice");
    QTest::addColumn<bool>("high");
    const QString appearance = QStringLiteral("org.freedesktop.appearance contrast");
    const QString gnome = QStringLiteral("org.gnome.desktop.a11y.interface high-contrast");
    QTest::newRow("no portal") << false << QString() << QVariant() << false << false;
    QTest::newRow("a portal without the setting") << true << QString() << QVariant() << false << false;
    QTest::newRow("contrast 1") << true << appearance << QVariant(1u) << false << true;
    QTest::newRow("contrast 1, wrapped twice") << true << appearance << QVariant(1u) << true << true;
    QTest::newRow("contrast 0") << true << appearance << QVariant(0u) << false << false;
    QTest::newRow("contrast as a word") << true << appearance << QVariant(QStringLiteral("high")) << false
                                        << false;
    QTest::newRow("GNOME's switch on") << true << gnome << QVariant(true) << false << true;
    QTest::newRow("GNOME's switch off") << true << gnome << QVariant(false) << false << false;
}

void TestDesktopContrast::bandFollowsTheDesktop()
{
    QFETCH(bool, portal);
    QFETCH(QString, setting);
    QFETCH(QVariant, value);
    QFETCH(bool, wrapTwice);
    QFETCH(bool, high);
    if (portal) {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("portal"));
        QVERIFY(bus.isConnected());
        m_portal = std::make_unique<FakePortal>(bus);
        m_portal->wrapTwice = wrapTwice;
        if (!setting.isEmpty())
            m_portal->values.insert(setting, value);
        QVERIFY(bus.registerObject(kPath, m_portal.get(), QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(kService));
    }
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompter = std::make_unique<test::PrompterScope>();
    test::startProgram();
    TMainForm *frame = forms().MainForm;
    QTRY_VERIFY(frame->guideBand() && frame->desktopContrast());
    QTRY_VERIFY(frame->desktopContrast()->settled());
    if (portal)
        QCOMPARE(m_portal->reads, 2);
    QCOMPARE(frame->guideBand()->highContrast(), high);
    QAction *item = frame->action(QStringLiteral("Contrasteeleve1"));
    QVERIFY(!item->isChecked()); // the learner's choice is theirs: the desktop's is not written in it
    if (!portal)
        return;

    // The desktop changes its mind while a lesson is open.
    const QString appearance = QStringLiteral("org.freedesktop.appearance");
    const QString contrast = QStringLiteral("contrast");
    m_portal->change(appearance, contrast, QVariant(1u));
    QTRY_VERIFY(frame->guideBand()->highContrast());
    m_portal->change(appearance, contrast, QVariant(0u));
    if (!high)
        QTRY_VERIFY(!frame->guideBand()->highContrast());
    // The learner's own choice holds when the desktop goes back.
    item->trigger();
    m_portal->change(appearance, contrast, QVariant(1u));
    m_portal->change(appearance, contrast, QVariant(0u));
    m_portal->change(QStringLiteral("org.gnome.desktop.a11y.interface"), QStringLiteral("high-contrast"),
                     QVariant(false));
    QTRY_VERIFY(!frame->desktopContrast()->high());
    QVERIFY(frame->guideBand()->highContrast());
    item->trigger();
    QVERIFY(!frame->guideBand()->highContrast());
}

QTEST_MAIN(TestDesktopContrast)
#include "tst_desktop_contrast.moc"
