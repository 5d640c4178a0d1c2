// With a truly empty clipboard, the paste keys, the middle click and
// Édition › Coller in each editor insert nothing and never end the program.
// Each editor is tried in a program of its own, driven by real X events.
#include "accessories/tblocnotes.h"
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/ttexte.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {
// The child: the whole program with one editor in front. It prints where to
// click, then waits for the "z" typed after the pastes and prints the text.
int runChild(const QString &editor)
{
    test::TempCwd cwd;
    test::PrompterScope prompts;
    test::startProgram();
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    QGuiApplication::clipboard()->clear(QClipboard::Selection);
    const bool texte = editor == QLatin1String("texte");
    if (texte)
        forms().MainForm->action(QStringLiteral("Fonctionsdebase1"))->trigger();
    else
        forms().Blocnotes->show();
    QWidget *window = texte ? static_cast<QWidget *>(forms().MainForm) : forms().Blocnotes;
    QAbstractScrollArea *area =
        texte ? static_cast<QAbstractScrollArea *>(forms().Texte->RichEdit2()) : forms().Blocnotes->Memo1;
    const auto text = [texte] {
        return texte ? forms().Texte->RichEdit2()->toPlainText() : forms().Blocnotes->Memo1->toPlainText();
    };
    if (texte)
        forms().Texte->RichEdit2()->clear();
    if (!QTest::qWaitForWindowExposed(window))
        return 2;
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return 3;
    area->setFocus();
    const QPoint at = area->viewport()->mapToGlobal(area->viewport()->rect().center());
    std::printf("ready %d %d\n", at.x(), at.y());
    std::fflush(stdout);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!text().contains(QLatin1Char('z')))
            return;
        if (texte)
            forms().MainForm->action(QStringLiteral("Coller1"))->trigger();
        std::printf("text:%s\n", text().toUtf8().toPercentEncoding().constData());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    poll.start(20);
    return QCoreApplication::exec();
}

bool xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
} // namespace

class TestX11Paste : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void emptyClipboardPastesNothing_data();
    void emptyClipboardPastesNothing();
};

void TestX11Paste::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server (run through scripts/xvfb.sh)");
}

void TestX11Paste::emptyClipboardPastesNothing_data()
{
    QTest::addColumn<QString>("editor");
    QTest::newRow("text lesson") << QStringLiteral("texte");
    QTest::newRow("notepad") << QStringLiteral("notes");
}

void TestX11Paste::emptyClipboardPastesNothing()
{
    QFETCH(QString, editor);
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), editor});
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine() || child.state() == QProcess::NotRunning, 30000);
    const QList<QByteArray> ready = child.readLine().trimmed().split(' ');
    QCOMPARE(ready.value(0), QByteArray("ready"));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50"),
                     QStringLiteral("ctrl+v"), QStringLiteral("shift+Insert")}));
    QVERIFY(xdotool({QStringLiteral("mousemove"), QString::fromLatin1(ready.value(1)),
                     QString::fromLatin1(ready.value(2)), QStringLiteral("click"), QStringLiteral("2")}));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+v"), QStringLiteral("z")}));
    QTRY_VERIFY_WITH_TIMEOUT(child.state() == QProcess::NotRunning, 20000);
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(QByteArray::fromPercentEncoding(child.readAll().trimmed()), QByteArray("text:z"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return runChild(QString::fromLocal8Bit(argv[2]));
    TestX11Paste test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11_paste.moc"
