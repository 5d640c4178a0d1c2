// A program killed while it writes the notes file leaves either the old or
// the new notes, whole: never a truncated or mixed file.
#include "accessories/notesfile.h"
#include "accessories/tblocnotes.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextDocument>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <thread>

namespace {
// Two sets of notes, large enough that a write takes a while: one fits
// Windows-1252, the other is written as UTF-8.
QString notesA()
{
    QStringList lines;
    for (int i = 0; i < 4000; ++i)
        lines << QStringLiteral("Ligne %1 : été, hiver, noël").arg(i);
    return lines.join(QLatin1Char('\n'));
}

QString notesB()
{
    QStringList lines;
    for (int i = 0; i < 3000; ++i)
        lines << QStringLiteral("Note %1 — α β γ, œuvre €").arg(i);
    return lines.join(QLatin1Char('\n'));
}

// The child: saves A and B in turn through the notepad until it is killed.
int runWriter(const QString &path)
{
    TBlocnotes notepad;
    const QString texts[2] = {notesA(), notesB()};
    for (unsigned i = 0;; ++i) {
        notepad.Memo1->setPlainText(texts[i % 2]);
        notepad.Memo1->document()->setModified(true);
        notepad.Sauve(path);
        if (notepad.Memo1->document()->isModified())
            return 1; // the save failed
        if (i == 0) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}
} // namespace

class TestCrashNotes : public QObject
{
    Q_OBJECT
private slots:
    void killedWriterLeavesWholeNotes();
};

void TestCrashNotes::killedWriterLeavesWholeNotes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tapivox.nte"));
    const QByteArray bytesA = notes::encode(notesA());
    const QByteArray bytesB = notes::encode(notesB());
    QVERIFY(bytesA != bytesB);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytesA), bytesA.size());
    }
    QRandomGenerator random(1789);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    int sawB = 0;
    for (int round = 0; round < 40; ++round) {
        QProcess writer;
        writer.setProcessEnvironment(env);
        writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), path});
        QVERIFY(writer.waitForStarted());
        // Once it writes, let it go on for a random moment, then kill it
        // without warning.
        QVERIFY(writer.waitForReadyRead(20000));
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(100, 15000)));
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(5000));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes == bytesA || bytes == bytesB,
                 qPrintable(QStringLiteral("%1 bytes").arg(bytes.size())));
        sawB += bytes == bytesB;
        // And the notepad reads it back as one of the two.
        const QString text = notes::decode(bytes);
        QVERIFY(text == notesA() || text == notesB());
    }
    // The kills landed at different moments of the writing.
    QVERIFY(sawB > 0);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--writer")
        return runWriter(QString::fromLocal8Bit(argv[2]));
    TestCrashNotes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crash_notes.moc"
