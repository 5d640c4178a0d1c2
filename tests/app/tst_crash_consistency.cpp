// A program killed while it writes a lesson file leaves either the old or the
// new file, whole: never a truncated or mixed one.
#include "app/lesson/lessonfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <thread>

namespace {
QByteArray contentA()
{
    LessonFile file;
    file.values.fill(1);
    return file.serialize();
}

QByteArray contentB()
{
    LessonFile file;
    for (int i = 0; i < 15; ++i)
        file.values[i] = 1000000 + i;
    return file.serialize();
}

// The child: rewrites the file with A and B in turn until it is killed.
int runWriter(const QString &path)
{
    QString error;
    for (unsigned i = 0;; ++i)
        if (!writeFileSafely(path, (i % 2) ? contentB() : contentA(), &error))
            return 1;
}
} // namespace

class TestCrashConsistency : public QObject
{
    Q_OBJECT
private slots:
    void killedWriterLeavesAWholeFile();
};

void TestCrashConsistency::killedWriterLeavesAWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lecon.tpx"));
    QString error;
    QVERIFY(writeFileSafely(path, contentA(), &error));
    QRandomGenerator random(42);
    for (int round = 0; round < 60; ++round) {
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), path});
        QVERIFY(writer.waitForStarted());
        // Let it write for a random moment, then kill it without warning.
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(500, 20000)));
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(5000));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes == contentA() || bytes == contentB(), bytes.constData());
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--writer")
        return runWriter(QString::fromLocal8Bit(argv[2]));
    TestCrashConsistency test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crash_consistency.moc"
