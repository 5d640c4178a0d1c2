// Which folder may include which: the lessons and the journal sit on the
// lesson contract (app/lesson) and never reach the frame above them; ui
// knows nothing of the program.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class TestLayering : public QObject
{
    Q_OBJECT
private slots:
    void noIncludeRunsUpward_data();
    void noIncludeRunsUpward();
};

void TestLayering::noIncludeRunsUpward_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("forbidden"); // include prefixes, "" for all
    QTest::addColumn<QStringList>("allowed");   // exceptions among them
    const QStringList lessonFolders{"drills/", "keyboard/", "office/", "progress/", "accessories/", "guide/"};
    for (const QString &folder : lessonFolders)
        QTest::newRow(qPrintable(folder)) << folder << QStringList{"app/"} << QStringList{"app/lesson/"};
    QTest::newRow("app/lesson/") << "app/lesson/"
                                 << QStringList{"app/", "drills/", "keyboard/", "office/", "accessories/"}
                                 << QStringList{"app/lesson/"};
    QTest::newRow("ui/") << "ui/" << QStringList{""} << QStringList{"ui/"};
}

void TestLayering::noIncludeRunsUpward()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, forbidden);
    QFETCH(QStringList, allowed);
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    const QString root = QStringLiteral(TAPIVOX_SOURCE_DIR "/") + folder;
    QDirIterator files(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    int scanned = 0;
    QStringList upward;
    while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        ++scanned;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto it = include.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            const auto startsTarget = [&target](const QString &prefix) { return target.startsWith(prefix); };
            if (std::any_of(forbidden.begin(), forbidden.end(), startsTarget) &&
                std::none_of(allowed.begin(), allowed.end(), startsTarget))
                upward << file.fileName().mid(root.size()) + QStringLiteral(" → ") + target;
        }
    }
    QVERIFY2(scanned > 0, qPrintable(root));
    QVERIFY2(upward.isEmpty(), qPrintable(upward.join(QStringLiteral(", "))));
}

QTEST_GUILESS_MAIN(TestLayering)
#include "tst_layering.moc"
