// Reading and writing the lesson file.
#include "app/lesson/lessonfile.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using Values = QList<int>;

class TestLessonFile : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void serializeWritesFifteenCrLfLines();
    void damagedBytesNeverCrash();
    void failedWriteKeepsPreviousFile();
    void unreadableFileIsReported();
    void fullDiskKeepsPreviousFile();
    void onlyRegularFilesOfBoundedSizeAreRead();
    void lessonFilesAreToldFromOtherFiles();
};

namespace {
Values fifteen(std::initializer_list<int> first)
{
    Values v(first);
    while (v.size() < 15)
        v << 0;
    return v;
}
} // namespace

void TestLessonFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Values>("values");
    QTest::newRow("after start-up")
        << QByteArray("1\r\n0\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n")
        << Values{1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    QTest::newRow("three lines") << QByteArray("4\r\n1\r\n9\r\n") << fifteen({4, 1, 9});
    QTest::newRow("LF only, blanks, tabs") << QByteArray("  2\n\t-7\n\n\n+3\n") << fifteen({2, -7, 3});
    QTest::newRow("text after the integer") << QByteArray("6 fenetre\r\n12\tx\r\n") << fifteen({6, 12});
    QTest::newRow("line without an integer")
        << QByteArray("abc\r\n5\r\n12abc\r\n7\r\n") << fifteen({0, 5, 0, 7});
    QTest::newRow("code 26 ends the file") << QByteArray("3\r\n4\x1a\r\n5\r\n") << fifteen({3, 4});
    QTest::newRow("control characters skipped") << QByteArray("\x01\x02 8\r\n") << fifteen({8});
    QTest::newRow("2^31 is out of range") << QByteArray("2147483648\r\n2147483647\r\n-2147483648\r\n")
                                          << fifteen({0, 2147483647, int(-2147483647 - 1)});
    QTest::newRow("longer than 32 characters")
        << QByteArray("000000000000000000000000000000001234\r\n5\r\n") << fifteen({0, 5});
    QTest::newRow("32 characters") << QByteArray("00000000000000000000000000000012\r\n5\r\n")
                                   << fifteen({12, 5});
    QTest::newRow("empty") << QByteArray() << fifteen({});
    QTest::newRow("no line ends") << QByteArray("1 2 3 4") << fifteen({1});
    QTest::newRow("lone sign") << QByteArray("-\r\n+\r\n9\r\n") << fifteen({0, 0, 9});
}

void TestLessonFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Values, values);
    const LessonFile file = LessonFile::parse(bytes);
    QCOMPARE(Values(file.values.begin(), file.values.end()), values);
}

void TestLessonFile::serializeWritesFifteenCrLfLines()
{
    LessonFile file;
    for (int i = 0; i < 15; ++i)
        file.values[i] = i - 3;
    const QByteArray bytes = file.serialize();
    QVERIFY(bytes.startsWith("-3\r\n-2\r\n-1\r\n0\r\n1\r\n"));
    QCOMPARE(bytes.count("\r\n"), 15);
    QVERIFY(bytes.endsWith("11\r\n"));
    QCOMPARE(LessonFile::parse(bytes).values, file.values);
    QVERIFY(LessonFile::isLessonFile(bytes));

    // A module past the seven appends its pair after the fifteen lines,
    // which stay as they were.
    file.lessonCode(8) = 42;
    file.menuCode(8) = 3;
    const QByteArray longer = file.serialize();
    QVERIFY(longer.startsWith(bytes));
    QCOMPARE(longer.count("\r\n"), 17);
    QVERIFY(LessonFile::isLessonFile(longer));
    const LessonFile back = LessonFile::parse(longer);
    QCOMPARE(back.values, file.values);
    QCOMPARE(back.lessonCode(8), 42);
    QCOMPARE(back.menuCode(8), 3);
    QCOMPARE(back.lessonCode(9), 0);
    QCOMPARE(LessonFile::parse(longer + "7\r\n").more, back.more); // half a pair is no pair
}

void TestLessonFile::damagedBytesNeverCrash()
{
    QRandomGenerator random(1234);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(random.bounded(0, 4000), Qt::Uninitialized);
        for (char &c : bytes)
            c = char(random.bounded(256));
        LessonFile::parse(bytes); // must neither crash nor hang
    }
    LessonFile::parse(QByteArray(1 << 20, '7'));
    LessonFile::parse(QByteArray(1 << 20, '\n'));
}

void TestLessonFile::failedWriteKeepsPreviousFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lecon.tpx"));
    QString error;
    QVERIFY(writeFileSafely(path, "old\r\n", &error));
    // A folder where the file should go cannot be replaced.
    const QString folder = dir.filePath(QStringLiteral("dossier.tpx"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(!writeFileSafely(folder, "new\r\n", &error));
    QVERIFY(!error.isEmpty());
    // A file inside a regular file: not even root can write it.
    QVERIFY(!writeFileSafely(path + QStringLiteral("/x.tpx"), "new\r\n", &error));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old\r\n"));
}

void TestLessonFile::unreadableFileIsReported()
{
    QTemporaryDir dir;
    LessonFile file;
    QString error;
    QVERIFY(!readLessonFile(dir.filePath(QStringLiteral("absent.tpx")), &file, &error));
    QCOMPARE(error, QStringLiteral("le fichier n'existe pas"));
    QVERIFY(!readLessonFile(dir.path(), &file, &error));
    QCOMPARE(error, QStringLiteral("c'est un dossier"));
}

void TestLessonFile::fullDiskKeepsPreviousFile()
{
    if (::geteuid() != 0)
        QSKIP("a full disk is made by mounting a small tmpfs, which needs root");
    QTemporaryDir dir;
    if (::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("mounting a small tmpfs failed");
    const auto unmount =
        qScopeGuard([&] { ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH); });
    const QString path = dir.filePath(QStringLiteral("lecon.tpx"));
    QString error;
    QVERIFY(writeFileSafely(path, "old\r\n", &error));
    QFile filler(dir.filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'x')) > 0) {
    }
    filler.close();
    QVERIFY(!writeFileSafely(path, QByteArray(32 * 1024, '7'), &error));
    QCOMPARE(error, QStringLiteral("le disque est plein"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old\r\n"));
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestLessonFile::onlyRegularFilesOfBoundedSizeAreRead()
{
    QTemporaryDir dir;
    QByteArray data;
    QString error;
    const QString pipe = dir.filePath(QStringLiteral("tube.tpx"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QVERIFY(!ui::readRegularFile(pipe, 4096, &data, &error));
    QCOMPARE(error, QStringLiteral("ce n'est pas un fichier ordinaire"));
    QVERIFY(!ui::readRegularFile(QStringLiteral("/dev/zero"), 4096, &data, &error));
    const QString big = dir.filePath(QStringLiteral("gros.tpx"));
    QVERIFY(writeFileSafely(big, QByteArray(4097, '1'), &error));
    QVERIFY(!ui::readRegularFile(big, 4096, &data, &error));
    QCOMPARE(error, QStringLiteral("le fichier est trop grand"));
    QVERIFY(ui::readRegularFile(big, 4097, &data, &error));
    QCOMPARE(data.size(), 4097);
}

// Every file the program writes stays a lesson file, and so do hand-edited
// ones with blanks, empty lines, an end marker or out-of-range values.
void TestLessonFile::lessonFilesAreToldFromOtherFiles()
{
    for (const char *lesson : {"4\r\n1\r\n9\r\n", "  2\n\t-7\n\n\n+3\n", "3\r\n4\x1a\x01 ", "1 \r\n\r\n \r\n",
                               "2147483648\r\n000000000000000000000000000000001234\r\n"})
        QVERIFY2(LessonFile::isLessonFile(lesson), lesson);
    for (const char *other : {"",
                              "\x1a"
                              "1\r\n",
                              "6 fenetre\r\n", "\x01\x02 8\r\n", "1 2 3 4", "-\r\n", "1\r2\r"})
        QVERIFY2(!LessonFile::isLessonFile(other), other);
}

QTEST_GUILESS_MAIN(TestLessonFile)
#include "tst_lessonfile.moc"
