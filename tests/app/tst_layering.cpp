// Which folder may include which: the lessons and the journal sit on the
// lesson contract (app/lesson) and never reach the frame above them; ui
// knows nothing of the program.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>
#include <functional>

class TestLayering : public QObject
{
    Q_OBJECT
private slots:
    void noIncludeRunsUpward_data();
    void noIncludeRunsUpward();
    void noFolderCycle();
};

namespace {

const QRegularExpression &includeLine()
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    return include;
}

// The folder a source file or an include belongs to: its first folder, or
// app/lesson for the lesson contract, which stands apart from the frame.
QString folderOf(const QString &path)
{
    if (path.startsWith(QStringLiteral("app/lesson/")))
        return QStringLiteral("app/lesson");
    return path.section(QLatin1Char('/'), 0, 0);
}

} // namespace

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
    // The class link sits on the journal's records and knows no window.
    QTest::newRow("classe/") << "classe/" << QStringList{"app/",    "drills/",      "keyboard/",
                                                         "office/", "accessories/", "guide/"}
                             << QStringList{};
    QTest::newRow("keymodel/") << "keymodel/" << QStringList{""} << QStringList{"keymodel/", "ui/"};
    QTest::newRow("ui/") << "ui/" << QStringList{""} << QStringList{"ui/"};
}

void TestLayering::noIncludeRunsUpward()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, forbidden);
    QFETCH(QStringList, allowed);
    const QRegularExpression &include = includeLine();
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

void TestLayering::noFolderCycle()
{
    const QString root = QStringLiteral(TAPIVOX_SOURCE_DIR "/");
    QMap<QString, QMap<QString, QString>> reaches; // folder → folder → one file that includes it
    QDirIterator files(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QString relative = file.fileName().mid(root.size());
        if (!relative.contains(QLatin1Char('/')))
            continue; // main.cpp stands above everything
        const QString from = folderOf(relative);
        const QString text = QString::fromUtf8(file.readAll());
        for (auto it = includeLine().globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (!target.contains(QLatin1Char('/')))
                continue;
            const QString to = folderOf(target);
            if (to != from && !reaches[from].contains(to))
                reaches[from].insert(to, relative + QStringLiteral(" → ") + target);
        }
    }
    QVERIFY(reaches.size() > 5);
    // Depth-first walk; a folder met again on the current path closes a cycle.
    QStringList path;
    QSet<QString> done;
    QString cycle;
    std::function<void(const QString &)> visit = [&](const QString &folder) {
        if (!cycle.isEmpty() || done.contains(folder))
            return;
        if (const auto at = path.indexOf(folder); at >= 0) {
            QStringList steps;
            for (auto i = at; i < path.size(); ++i)
                steps << reaches[path[i]][i + 1 < path.size() ? path[i + 1] : folder];
            cycle = steps.join(QStringLiteral(", "));
            return;
        }
        path << folder;
        for (const QString &next : reaches.value(folder).keys())
            visit(next);
        path.removeLast();
        done.insert(folder);
    };
    for (const QString &folder : reaches.keys())
        visit(folder);
    QVERIFY2(cycle.isEmpty(), qPrintable(cycle));
}

QTEST_GUILESS_MAIN(TestLayering)
#include "tst_layering.moc"
