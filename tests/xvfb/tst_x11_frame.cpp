// The real program under X11 with the French layout: the frame maps with its
// status clock and the keyboard window in front.
#include "app/forms.h"
#include "app/tmainform.h"
#include "keyboard/tclavier.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QProcess>
#include <QtTest>

class TestX11Frame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void frameMapsWithClockAndKeyboard();
    void realBinaryMapsItsFrame();
};

void TestX11Frame::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server (run through scripts/xvfb.sh)");
    QProcess query;
    query.start(QStringLiteral("setxkbmap"), {QStringLiteral("-query")});
    QVERIFY(query.waitForFinished(5000));
    QVERIFY2(query.readAllStandardOutput().contains("layout:     fr"), "the French layout is not set");
}

void TestX11Frame::frameMapsWithClockAndKeyboard()
{
    test::TempCwd cwd;
    test::PrompterScope prompts;
    test::startProgram();
    TMainForm *frame = forms().MainForm;
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QTRY_VERIFY(frame->windowState() & Qt::WindowMaximized);
    QTRY_VERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                    .match(frame->clockPanel->text())
                    .hasMatch());
    QCOMPARE(frame->activeLesson(), static_cast<LessonWindow *>(forms().Clavier));
    QVERIFY(forms().Clavier->isVisible());
    test::stopProgram();
}

void TestX11Frame::realBinaryMapsItsFrame()
{
    const QString binary = QCoreApplication::applicationDirPath() + QStringLiteral("/tapivox");
    if (!QFileInfo::exists(binary))
        QSKIP("the tapivox binary is not built");
    QTemporaryDir home;
    QProcess program;
    program.setWorkingDirectory(home.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    program.setProcessEnvironment(env);
    program.start(binary, {});
    QVERIFY(program.waitForStarted());
    const auto waitForWindow = [](const QString &caption) {
        for (int i = 0; i < 100; ++i) {
            QProcess search;
            search.start(QStringLiteral("xdotool"),
                         {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                          caption});
            search.waitForFinished(5000);
            const QByteArray id = search.readAllStandardOutput().trimmed();
            if (!id.isEmpty())
                return QString::fromLatin1(id);
            QTest::qWait(100);
        }
        return QString();
    };
    const bool found = !waitForWindow(QStringLiteral("^Tapivox$")).isEmpty();
    // A dialog's caption is its own, the program's name not appended.
    QByteArray caption;
    if (found) {
        // Keys chained to a window are sent to it alone once it has lost the
        // focus: the release of "a" would miss the server, and the key
        // would stay down for the tests that follow. So two commands.
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                           QStringLiteral("--name"), QStringLiteral("^Tapivox$"),
                           QStringLiteral("windowfocus")});
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--delay"),
                                                      QStringLiteral("100"), QStringLiteral("alt+u"),
                                                      QStringLiteral("a")});
        const QString id = waitForWindow(QStringLiteral("^Calculatrice"));
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_NAME")});
        xprop.waitForFinished(5000);
        caption = xprop.readAllStandardOutput().trimmed();
    }
    program.terminate();
    if (!program.waitForFinished(5000))
        program.kill();
    QVERIFY2(found, "no visible Tapivox window");
    QCOMPARE(caption, QByteArray("_NET_WM_NAME(UTF8_STRING) = \"Calculatrice\""));
}

QTEST_MAIN(TestX11Frame)
#include "tst_x11_frame.moc"
