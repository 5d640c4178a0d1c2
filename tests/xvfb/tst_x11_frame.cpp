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
    bool found = false;
    for (int i = 0; i < 100 && !found; ++i) {
        QProcess search;
        search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                 QStringLiteral("--name"), QStringLiteral("^Tapivox$")});
        search.waitForFinished(5000);
        found = !search.readAllStandardOutput().trimmed().isEmpty();
        if (!found)
            QTest::qWait(100);
    }
    program.terminate();
    if (!program.waitForFinished(5000))
        program.kill();
    QVERIFY2(found, "no visible Tapivox window");
}

QTEST_MAIN(TestX11Frame)
#include "tst_x11_frame.moc"
