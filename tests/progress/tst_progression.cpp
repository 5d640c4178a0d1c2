// The progression: sessions counted without a window, the journal file, and
// the window that shows them.
#include "app/lessontable.h"
#include "drills/texos.h"
#include "drills/tjeu.h"
#include "drills/tphrases.h"
#include "guide/lessonend.h"
#include "keyboard/tclavier.h"
#include "progress/azertymap.h"
#include "progress/journal.h"
#include "progress/learnerfile.h"
#include "progress/objective.h"
#include "progress/progresschart.h"
#include "progress/recording.h"
#include "progress/tapprenants.h"
#include "progress/tprogression.h"
#include "support/testsupport.h"
#include "ui/hooklineedit.h"
#include "ui/screenfit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableWidget>
#include <QUuid>
#include <QtTest>

using progress::SessionRecord;

namespace {

SessionRecord session(int module, int lesson, int good, int errors, int seconds, const QDateTime &start)
{
    SessionRecord s;
    s.module = module;
    s.lesson = lesson;
    s.good = good;
    s.errors = errors;
    s.seconds = seconds;
    s.start = start;
    s.end = start.addSecs(60);
    s.typingMs = 30000;
    return s;
}

QStringList row(const QTableWidget *table, int r)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c)
        cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
    return cells;
}

void typeInto(QWidget *w, const QString &text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// A lesson whose chronometer goes on across its lessons.
class RunningLesson final : public LessonWindow
{
public:
    RunningLesson()
        : LessonWindow(QStringLiteral("RunningLesson"), 7, 0)
    {}
    void judgeKey() { noteJudged(1, 0); }
};

} // namespace

class TestProgression : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tallyCountsJudgements_data();
    void tallyCountsJudgements();
    void sessionCountsItsOwnKeys_data();
    void sessionCountsItsOwnKeys();
    void sessionSecondsAreItsOwn();
    void sessionWithoutKeysIsNotRecorded();
    void journalKeepsSessionsAcrossOpenings();
    void damagedFileIsSetAsideNotErased();
    void olderJournalIsUpgradedInPlace_data();
    void olderJournalIsUpgradedInPlace();
    void queriesStayOnTheirIndexes_data();
    void queriesStayOnTheirIndexes();
    void reviewDrillsTheMissedKeys();
    void journalInUseIsNotDamage();
    void unusableJournalFailsWithAMessage_data();
    void unusableJournalFailsWithAMessage();
    void keysOfTheSmallKeyboard_data();
    void keysOfTheSmallKeyboard();
    void exerciseSessionsReachTheWindow();
    void frenchCharactersMissedShowAsThemselves_data();
    void frenchCharactersMissedShowAsThemselves();
    void gameCountsDestroyedAndLostLetters(); // and the key drill's keys
    void eraseAsksFirst();
    void ownTextsAreAFamily();
    void pathMarksTheExercisesThatReachedTheObjective_data();
    void pathMarksTheExercisesThatReachedTheObjective();
    void lessonEndGivesTheFiguresKept_data();
    void lessonEndGivesTheFiguresKept();
    void olderSessionsGoToAFirstLearner_data();
    void olderSessionsGoToAFirstLearner();
    void learnersKeepTheirOwnSessions();
    void sessionsWaitForTheClassUntilHeld_data();
    void sessionsWaitForTheClassUntilHeld();
    void learnerNamesAreChecked_data();
    void learnerNamesAreChecked();
    void learnersWindowAddsChoosesAndRemoves();
    void learnerFileCarriesAHistoryOnce();
    void learnerFileRefusesWhatIsNotOne_data();
    void learnerFileRefusesWhatIsNotOne();
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void chartIsSharpAtScaleTwo();
    void chartSpeaksFrenchAndDrawsNoFalseZero();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath(QStringLiteral("data/Tapivox/progression.sqlite")); }
};

void TestProgression::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestProgression::cleanup()
{
    progress::useJournal(QString());
    m_dir.reset();
}

void TestProgression::tallyCountsJudgements_data()
{
    // The lesson's judgements, one a second, as (good, errors) pairs; what
    // the session counted.
    QTest::addColumn<QList<int>>("judgements");
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");
    QTest::addColumn<int>("typingSeconds"); // first key counted to the last
    QTest::newRow("plain") << QList<int>{1, 0, 0, 1, 1, 0} << 2 << 1 << 2;
    QTest::newRow("nothing judged first") << QList<int>{0, 0, 0, 0, 1, 0, 0, 1} << 1 << 1 << 1;
    QTest::newRow("a whole cell at once") << QList<int>{9, 0, 0, 1} << 9 << 1 << 1;
    QTest::newRow("a word lost in the game") << QList<int>{1, 0, 0, 4} << 1 << 4 << 1;
}

void TestProgression::tallyCountsJudgements()
{
    QFETCH(QList<int>, judgements);
    QFETCH(int, good);
    QFETCH(int, errors);
    QFETCH(int, typingSeconds);
    progress::SessionTally tally;
    const QDateTime start(QDate(2026, 3, 2), QTime(10, 0));
    tally.begin(2, 1, start);
    for (int i = 0; i < judgements.size(); i += 2)
        tally.judged(judgements[i], judgements[i + 1], start.addSecs(i / 2).toMSecsSinceEpoch());
    const auto record = tally.finish(start.addSecs(100), 0);
    QVERIFY(record);
    QCOMPARE(record->good, good);
    QCOMPARE(record->errors, errors);
    QCOMPARE(record->typingMs, qint64(typingSeconds) * 1000);
}

void TestProgression::sessionCountsItsOwnKeys_data()
{
    // Keys typed in one exercise, then in another: what the second session
    // holds, whatever the first one left on the window's counters.
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("firstKeys");
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("secondKeys");
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");
    QTest::newRow("error after one error")
        << 1 << QStringLiteral("gx") << 3 << QStringLiteral("xqz") << 2 << 1;
    QTest::newRow("good after one good") << 1 << QStringLiteral("g") << 3 << QStringLiteral("q") << 1 << 0;
    QTest::newRow("same counts again") << 1 << QStringLiteral("ghx") << 1 << QStringLiteral("ghx") << 2 << 1;
}

void TestProgression::sessionCountsItsOwnKeys()
{
    QFETCH(int, first);
    QFETCH(QString, firstKeys);
    QFETCH(int, second);
    QFETCH(QString, secondKeys);
    QFETCH(int, good);
    QFETCH(int, errors);
    progress::useJournal(path());
    TExos exos;
    exos.show();
    QVERIFY(QTest::qWaitForWindowExposed(&exos));
    exos.SetIni(first);
    typeInto(exos.Edit2(), firstKeys);
    exos.SetIni(second);
    typeInto(exos.Edit2(), secondKeys);
    const auto so = exos.sessionSoFar();
    QVERIFY(so);
    QCOMPARE(exos.Label2->text(), LessonWindow::scoreLine(good, errors));
    QCOMPARE(so->good, good);
    QCOMPARE(so->errors, errors);
}

// A lesson is timed only by the chronometer's ticks during it.
void TestProgression::sessionSecondsAreItsOwn()
{
    progress::useJournal(path());
    TPhrases phrases;
    phrases.SetIni(2);
    phrases.StaticText1Click();
    typeInto(phrases.Edit2(), phrases.Edit1()->text().left(4));
    for (int i = 0; i < 6; ++i)
        phrases.Timer1Timer();
    QCOMPARE(phrases.sessionSoFar()->seconds, phrases.seconds());
    phrases.SetIni(5); // stops the chronometer
    QVERIFY(!phrases.chronometerRunning());
    typeInto(phrases.Edit2(), phrases.Edit1()->text().left(3));
    QCOMPARE(phrases.sessionSoFar()->good, 3);
    QCOMPARE(phrases.sessionSoFar()->seconds, 0);

    // A lesson that leaves the chronometer running from one lesson to the
    // next (the data entry's) counts only the seconds since its start.
    RunningLesson running;
    running.SetIni(1);
    running.SetTemps();
    for (int i = 0; i < 5; ++i)
        running.Timer1Timer();
    running.SetIni(2);
    QVERIFY(running.chronometerRunning());
    running.judgeKey();
    running.Timer1Timer();
    running.Timer1Timer();
    QCOMPARE(running.sessionSoFar()->seconds, 2);
}

void TestProgression::sessionWithoutKeysIsNotRecorded()
{
    progress::SessionTally tally;
    tally.begin(3, 1, QDateTime::currentDateTime());
    tally.judged(0, 0, QDateTime::currentMSecsSinceEpoch());
    tally.observeKey(QStringLiteral("a"), true);
    QVERIFY(!tally.finish(QDateTime::currentDateTime(), 10));
    QVERIFY(!tally.running());
}

void TestProgression::journalKeepsSessionsAcrossOpenings()
{
    const QDateTime start(QDate(2026, 3, 2), QTime(10, 0));
    {
        progress::Journal journal(path());
        QVERIFY(!QFileInfo::exists(path())); // nothing before the first use
        SessionRecord a = session(2, 1, 90, 10, 60, start);
        a.keys[QStringLiteral("h")] = {40, 6};
        a.keys[QStringLiteral("g")] = {50, 4};
        QVERIFY2(journal.record(a), qPrintable(journal.lastError()));
        SessionRecord b = session(3, 2, 30, 0, 0, start.addDays(1));
        b.keys[QStringLiteral("h")] = {4, 2};
        QVERIFY(journal.record(b));
        QVERIFY(journal.record(session(2, 3, 10, 10, 0, start.addDays(2))));
    }
    progress::Journal journal(path());
    const QList<SessionRecord> exos = journal.sessions(2);
    QCOMPARE(exos.size(), 2);
    QCOMPARE(exos[0].start, start);
    QCOMPARE(exos[0].lesson, 1);
    QCOMPARE(exos[0].speed(), 90.0); // by the chronometer
    QCOMPARE(exos[1].speed(), 20.0); // by the typing time
    QCOMPARE(journal.sessions(0).size(), 3);
    QCOMPARE(journal.sessions(0, 1).constFirst().lesson, 3);
    const QList<progress::KeyStat> keys = journal.keyStats(0);
    QCOMPARE(keys.size(), 2);
    QCOMPARE(keys[0].key, QStringLiteral("h"));
    QCOMPARE(keys[0].missed, 8);
    QCOMPARE(keys[0].typed, 44);
    QCOMPARE(journal.keyStats(3).size(), 1);
    QVERIFY(journal.clear());
    QVERIFY(journal.sessions().isEmpty());
    QVERIFY(journal.keyStats().isEmpty());
}

void TestProgression::olderJournalIsUpgradedInPlace_data()
{
    // Extra SQL run in the older file before the upgrade; whether it goes.
    QTest::addColumn<QString>("extra");
    QTest::addColumn<bool>("upgraded");
    QTest::newRow("first version") << QString() << true;
    QTest::newRow("a table in the way")
        << QStringLiteral("CREATE TABLE session_confusion (x INTEGER)") << false;
}

void TestProgression::olderJournalIsUpgradedInPlace()
{
    QFETCH(QString, extra);
    QFETCH(bool, upgraded);
    QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(path());
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (
            const char *statement :
            {"CREATE TABLE session (id INTEGER PRIMARY KEY, start_ms INTEGER NOT NULL, end_ms INTEGER NOT NULL,"
             " module INTEGER NOT NULL, lesson INTEGER NOT NULL, good INTEGER NOT NULL, errors INTEGER NOT NULL,"
             " seconds INTEGER NOT NULL, typing_ms INTEGER NOT NULL)",
             "CREATE TABLE session_key (session INTEGER NOT NULL REFERENCES session (id) ON DELETE CASCADE,"
             " key TEXT NOT NULL, typed INTEGER NOT NULL, missed INTEGER NOT NULL)",
             // The review, under the code it had then.
             "INSERT INTO session VALUES (1, 1000, 61000, 2, 25, 40, 5, 60, 50000)",
             "INSERT INTO session_key VALUES (1, 'b', 20, 5)", "PRAGMA user_version = 1"})
            QVERIFY2(q.exec(QLatin1String(statement)), qPrintable(q.lastError().text()));
        if (!extra.isEmpty())
            QVERIFY(q.exec(extra));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    const QString copy = path() + QStringLiteral(".version-1");
    progress::Journal journal(path());
    QCOMPARE(journal.sessions().size(), upgraded ? 1 : 0);
    // The copy of the old file is gone once it is no longer needed.
    QCOMPARE(QFileInfo::exists(copy), !upgraded);
    if (!upgraded) {
        QVERIFY(journal.lastError().contains(QStringLiteral("version-1")));
        return;
    }
    QVERIFY(!journal.sessions().constFirst().completed.has_value()); // the old file did not say
    QCOMPARE(journal.sessions().constFirst().lesson, progress::kReviewLesson);
    SessionRecord s = session(2, 25, 10, 2, 0, QDateTime::currentDateTime());
    s.keys[QStringLiteral("b")] = {8, 2, 1600, 8};
    s.confusions[{QStringLiteral("b"), QStringLiteral("n")}] = 2;
    s.title = QStringLiteral("lettre.txt");
    QVERIFY2(journal.record(s), qPrintable(journal.lastError()));
    const QList<progress::KeyStat> keys = journal.recentKeyStats(5);
    QCOMPARE(keys.size(), 1);
    QCOMPARE(keys[0].typed, 28);
    QCOMPARE(keys[0].missed, 7);
    QCOMPARE(keys[0].meanMs(), 200.0); // the older session has no times
    QCOMPARE(journal.recentKeyStats(1)[0].typed, 8);
    const QList<progress::Confusion> pairs = journal.confusions(5);
    QCOMPARE(pairs.size(), 1);
    QCOMPARE(pairs[0].pressed, QStringLiteral("n"));
    QCOMPARE(journal.sessions().constLast().title, QStringLiteral("lettre.txt"));
    QVERIFY(journal.sessions().constFirst().title.isEmpty());
}

void TestProgression::queriesStayOnTheirIndexes_data()
{
    using Query = progress::Journal::Query;
    QTest::addColumn<Query>("query");
    QTest::addColumn<QStringList>("indexes"); // each named in the plan
    QTest::newRow("last sessions") << Query::Sessions << QStringList{QStringLiteral("session_by_learner")};
    QTest::newRow("a family's sessions") << Query::FamilySessions << QStringList{QStringLiteral("session_by_family")};
    // Either of the learner's indexes serves.
    QTest::newRow("characters") << Query::KeyStats
                                << QStringList{QStringLiteral("session_by_"), QStringLiteral("session_key_by_session")};
    QTest::newRow("a family's characters")
        << Query::FamilyKeyStats
        << QStringList{QStringLiteral("session_by_family"), QStringLiteral("session_key_by_session")};
    QTest::newRow("exercises passed") << Query::PassedExercises << QStringList{QStringLiteral("session_passed")};
    QTest::newRow("learners") << Query::Learners
                              << QStringList{QStringLiteral("session_by_learner"), QStringLiteral("session_passed")};
}

// However long the history, no reading goes through every session or every
// character typed: each searches an index (the learners' own table is
// short).
void TestProgression::queriesStayOnTheirIndexes()
{
    QFETCH(progress::Journal::Query, query);
    QFETCH(QStringList, indexes);
    {
        progress::Journal journal(path());
        QVERIFY2(journal.record(session(2, 1, 50, 1, 60, QDateTime::currentDateTime())),
                 qPrintable(journal.lastError()));
    }
    QString plan;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plans"));
        db.setDatabaseName(path());
        QVERIFY(db.open());
        QSqlQuery q(db);
        const QString sql = QString::fromLatin1(progress::Journal::querySql(query));
        QVERIFY(q.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + sql));
        for (qsizetype i = 0; i < sql.count(QLatin1Char('?')); ++i)
            q.addBindValue(1);
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        while (q.next())
            plan += q.value(3).toString() + QLatin1Char('\n');
    }
    QSqlDatabase::removeDatabase(QStringLiteral("plans"));
    for (const QString &index : std::as_const(indexes))
        QVERIFY2(plan.contains(QStringLiteral("INDEX ") + index), qPrintable(plan));
    static const QRegularExpression scan(QStringLiteral("SCAN (session|session_key|s|k)\\b"));
    QVERIFY2(!plan.contains(scan), qPrintable(plan));
}

void TestProgression::reviewDrillsTheMissedKeys()
{
    test::PrompterScope prompts;
    progress::useJournal(path());
    TExos exos;
    exos.show();
    QVERIFY(QTest::qWaitForWindowExposed(&exos));
    exos.SetIni(2); // "ap pa ap pa ..."
    for (const QString &keys : {QStringLiteral("qap"), QStringLiteral(" p"), QStringLiteral("qa a"),
                                QStringLiteral("p p"), QStringLiteral("qa")})
        typeInto(exos.Edit2(), keys);
    exos.SetIni(TExos::kReviewCode);
    QVERIFY(prompts.fake().errors.isEmpty());
    const QList<progress::Confusion> pairs = progress::journal()->confusions(1);
    QCOMPARE(pairs.size(), 1);
    QCOMPARE(pairs[0].expected + pairs[0].pressed, QStringLiteral("aq"));
    QVERIFY2(exos.Label1->text().startsWith(QStringLiteral("Révision\u00a0: a")),
             qPrintable(exos.Label1->text()));
    for (QLineEdit *model : {exos.Edit1(), exos.Edit3(), exos.Edit5()})
        QVERIFY2(model->text().contains(QLatin1Char('a')), qPrintable(model->text()));
}

void TestProgression::damagedFileIsSetAsideNotErased()
{
    QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray garbage(4096, 'x');
    file.write(garbage);
    file.close();

    test::PrompterScope prompts;
    progress::useJournal(path());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("endommagé.*mis de côté")));
    progress::recordSession(nullptr, session(2, 1, 5, 1, 0, QDateTime::currentDateTime()));
    progress::Journal *journal = progress::journal();
    QVERIFY(!journal->setAside().isEmpty());
    QFile aside(journal->setAside());
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), garbage);
    QCOMPARE(journal->sessions().size(), 1);
    QWidget window;
    progress::recordSession(&window, session(2, 1, 5, 1, 0, QDateTime::currentDateTime()));
    QVERIFY(prompts.fake().informations.isEmpty()); // told once, on the error output
    QVERIFY(prompts.fake().errors.isEmpty());
}

void TestProgression::journalInUseIsNotDamage()
{
    {
        progress::Journal journal(path());
        QVERIFY(journal.record(session(2, 1, 5, 1, 0, QDateTime::currentDateTime())));
    }
    const QString holder = QStringLiteral("holder");
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), holder);
        db.setDatabaseName(path());
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
    }
    test::PrompterScope prompts;
    progress::useJournal(path());
    QWidget window;
    for (int i = 0; i < 2; ++i)
        progress::recordSession(&window, session(2, 2, 5, 1, 0, QDateTime::currentDateTime()));
    QCOMPARE(prompts.fake().informations,
             QStringList{QStringLiteral("L'historique est utilisé par un autre programme\u00a0; cette séance "
                                        "n'y sera pas gardée.")});
    QVERIFY(prompts.fake().errors.isEmpty());
    QVERIFY(progress::journal()->setAside().isEmpty());
    QCOMPARE(QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files),
             QStringList{QStringLiteral("progression.sqlite")});

    // Once the other program lets go, the next session is kept.
    {
        QSqlQuery q(QSqlDatabase::database(holder));
        QVERIFY(q.exec(QStringLiteral("COMMIT")));
    }
    QSqlDatabase::removeDatabase(holder);
    progress::recordSession(&window, session(2, 3, 5, 1, 0, QDateTime::currentDateTime()));
    QCOMPARE(progress::journal()->sessions().size(), 2);
    QCOMPARE(prompts.fake().informations.size(), 1);
}

void TestProgression::unusableJournalFailsWithAMessage_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder is a file")
        << QStringLiteral("file") << QStringLiteral("Impossible de créer le dossier");
    QTest::newRow("newer schema") << QStringLiteral("newer") << QStringLiteral("plus récente");
    QTest::newRow("journal is a folder")
        << QStringLiteral("folder") << QStringLiteral("\u00a0: c'est un dossier.");
    QTest::newRow("disk full") << QStringLiteral("full") << QStringLiteral("\u00a0: le disque est plein.");
}

void TestProgression::unusableJournalFailsWithAMessage()
{
    QFETCH(QString, setUp);
    QFETCH(QString, reason);
    QString target = path();
    test::PrompterScope prompts;
    if (setUp == QLatin1String("file")) {
        QFile blocker(m_dir->filePath(QStringLiteral("data")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else if (setUp == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path()));
    } else if (setUp == QLatin1String("full")) {
        // A journal that may not grow behaves as on a full disk.
        progress::useJournal(target);
        progress::recordSession(nullptr, session(2, 1, 5, 1, 0, QDateTime::currentDateTime()));
        const QStringList names = QSqlDatabase::connectionNames();
        QCOMPARE(names.size(), 1);
        QSqlQuery q(QSqlDatabase::database(names.first()));
        QVERIFY(q.exec(QStringLiteral("PRAGMA page_count")) && q.next());
        QVERIFY(q.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(q.value(0).toInt())));
    } else {
        {
            progress::Journal journal(path());
            QVERIFY(journal.record(session(2, 1, 5, 1, 0, QDateTime::currentDateTime())));
        }
        {
            auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raise"));
            db.setDatabaseName(path());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 99")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raise"));
    }
    if (setUp != QLatin1String("full"))
        progress::useJournal(target);
    SessionRecord big = session(2, 1, 5, 1, 0, QDateTime::currentDateTime());
    for (int i = 0; i < 500; ++i)
        big.keys[QString::number(i)] = {1, 0};
    QWidget window;
    // A lesson goes on whatever happens: the learner is told once, in French.
    for (int i = 0; i < 3; ++i)
        progress::recordSession(&window, big);
    QCOMPARE(prompts.fake().errors.size(), 1);
    QVERIFY(prompts.fake().errors[0].contains(QStringLiteral("La leçon continue")));
    QVERIFY2(prompts.fake().errors[0].contains(reason), qPrintable(prompts.fake().errors[0]));
    QVERIFY(progress::journal()->setAside().isEmpty()); // none of these is damage
    if (setUp == QLatin1String("newer")) {
        QVERIFY(prompts.fake().errors[0].contains(QStringLiteral("plus récente")));
        QVERIFY(progress::journal()->setAside().isEmpty());
    }
}

void TestProgression::keysOfTheSmallKeyboard_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("caption");
    QTest::newRow("letter") << QStringLiteral("q") << QStringLiteral("Q");
    QTest::newRow("capital") << QStringLiteral("M") << QStringLiteral("M");
    QTest::newRow("digit on its key") << QStringLiteral("7") << QStringLiteral("è 7");
    QTest::newRow("dead key accent") << QStringLiteral("ô") << QStringLiteral("^ ¨");
    QTest::newRow("space") << QStringLiteral(" ") << QStringLiteral("Espace");
    QTest::newRow("drill key name") << QStringLiteral("Verr Maj") << QStringLiteral("Verr. Maj");
    QTest::newRow("not on it") << QStringLiteral("F5") << QString();
}

void TestProgression::keysOfTheSmallKeyboard()
{
    QFETCH(QString, expected);
    QFETCH(QString, caption);
    const int key = progress::keyOf(expected);
    QCOMPARE(key < 0 ? QString() : progress::azertyKeys()[std::size_t(key)].caption, caption);
}

void TestProgression::exerciseSessionsReachTheWindow()
{
    test::PrompterScope prompts;
    progress::useJournal(path());
    TExos exos;
    exos.show();
    QVERIFY(QTest::qWaitForWindowExposed(&exos));
    exos.SetIni(1);
    const QDateTime before = QDateTime::currentDateTime();
    typeInto(exos.Edit2(), QStringLiteral("ghx h")); // x refused where the space is expected
    QCOMPARE(exos.Label2->text(), QStringLiteral("Bon : 4     Erreurs : 1"));
    QVERIFY(!QFileInfo::exists(path())); // nothing written while typing
    exos.SetIni(2);
    typeInto(exos.Edit2(), QStringLiteral("a"));
    exos.SetIni(3); // no key: not recorded
    exos.SetIni(4);
    QVERIFY(prompts.fake().errors.isEmpty());

    TProgression window(lessonFamilies());
    window.Init(progress::journal());
    window.showModule(2);
    QCOMPARE(window.StringGrid1->rowCount(), 2);
    const QStringList first = row(window.StringGrid1, 1);
    QVERIFY(QDateTime::fromString(first[0], QStringLiteral("dd/MM/yyyy HH:mm")).secsTo(before) < 60);
    QCOMPARE(first.mid(1, 5),
             (QStringList{QStringLiteral("1 Touches g h"), QStringLiteral("5"), QStringLiteral("1"),
                          QStringLiteral("20,0\u00a0%"), QStringLiteral("0 min 00 s")}));
    QCOMPARE(row(window.StringGrid1, 0)[1], QStringLiteral("2 Touches a p"));
    QCOMPARE(window.StringGrid2->rowCount(), 1);
    QCOMPARE(row(window.StringGrid2, 0), (QStringList{QStringLiteral("Espace"), QStringLiteral("1"),
                                                      QStringLiteral("2"), QStringLiteral("50,0\u00a0%")}));
    const int space = progress::keyOf(QStringLiteral(" "));
    QCOMPARE(window.Keyboard1->rates().at(space), 0.5);
    QCOMPARE(window.Keyboard1->rates().at(progress::keyOf(QStringLiteral("g"))), 0.0);
    QCOMPARE(window.Keyboard1->rates().at(progress::keyOf(QStringLiteral("w"))), -1.0);
    QCOMPARE(window.Chart1->sessions().size(), 2);

    // Another family shows none of them; the session in progress shows too.
    window.showModule(3);
    QCOMPARE(window.StringGrid1->rowCount(), 0);
    typeInto(exos.Edit2(), QStringLiteral("d"));
    window.Init(progress::journal(), {*exos.sessionSoFar()});
    window.showModule(2);
    QCOMPARE(window.StringGrid1->rowCount(), 3);
    QCOMPARE(row(window.StringGrid1, 0)[1], QStringLiteral("4 Touches h j"));
}

void TestProgression::frenchCharactersMissedShowAsThemselves_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("typed"); // the last key is wrong
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<QString>("shown");
    QTest::newRow("É") << 19 << u"x"_qs << u"19 Majuscules accentuées"_qs << u"É"_qs;
    QTest::newRow("œ") << 20 << u"cx"_qs << u"20 Touches œ æ"_qs << u"œ"_qs;
    QTest::newRow("«") << 21 << u"x"_qs << u"21 Guillemets « » et apostrophe ’"_qs << u"«"_qs;
    QTest::newRow("non-breaking space")
        << 21 << u"«x"_qs << u"21 Guillemets « » et apostrophe ’"_qs << u"Espace insécable"_qs;
}

// The exercises of the French characters count as the others do, and the
// characters missed read as themselves (the invisible one by its name).
void TestProgression::frenchCharactersMissedShowAsThemselves()
{
    QFETCH(int, code);
    QFETCH(QString, typed);
    test::PrompterScope prompts;
    progress::useJournal(path());
    TExos exos;
    exos.show();
    QVERIFY(QTest::qWaitForWindowExposed(&exos));
    exos.SetIni(code);
    typeInto(exos.Edit2(), typed);
    QCOMPARE(exos.errors(), 1);
    exos.SetIni(1);

    TProgression window(lessonFamilies());
    window.Init(progress::journal());
    window.showModule(2);
    QCOMPARE(window.StringGrid1->rowCount(), 1);
    QTEST(row(window.StringGrid1, 0)[1], "lesson");
    QCOMPARE(window.StringGrid2->rowCount(), 1);
    QTEST(row(window.StringGrid2, 0)[0], "shown");
}

void TestProgression::gameCountsDestroyedAndLostLetters()
{
    progress::useJournal(path());
    TJeu jeu;
    jeu.SetIni(1);
    for (int i = 1; i <= GameLogic::kItemCount; ++i)
        jeu.logic().setItem(i, i <= 2 ? QStringLiteral("k") : QString());
    jeu.logic().setItem(3, QStringLiteral("z"));
    jeu.logic().setPosition(3, 340);
    jeu.FormKeyPress('k'); // both falling k
    jeu.Timer2Timer();     // the z passes the bottom
    const auto so = jeu.sessionSoFar();
    QVERIFY(so);
    QCOMPARE(so->good, 2);
    QCOMPARE(so->errors, 1);
    QCOMPARE(so->keys.value(QStringLiteral("k")).typed, 2); // the second one timed too
    QCOMPARE(so->keys.value(QStringLiteral("k")).missed, 0);
    QCOMPARE(so->keys.value(QStringLiteral("z")), (progress::KeyCount{0, 1}));

    // The key drill counts the asked key by its name.
    TClavier clavier;
    clavier.SetIni(1);
    const QString asked = clavier.drill().targetName();
    clavier.Verif1(quint16(clavier.drill().target() == 9 ? 13 : 9)); // a wrong key
    QCOMPARE(clavier.sessionSoFar()->keys.value(asked), (progress::KeyCount{0, 1}));
}

void TestProgression::eraseAsksFirst()
{
    test::PrompterScope prompts;
    progress::Journal journal(path());
    QVERIFY(journal.record(session(1, 1, 5, 1, 0, QDateTime::currentDateTime())));
    TProgression window(lessonFamilies());
    window.Init(&journal);
    window.showModule(1);
    QCOMPARE(window.StringGrid1->rowCount(), 1);
    prompts.fake().answers = {ui::Prompter::Answer::No};
    window.Button2->click();
    QCOMPARE(prompts.fake().questions.size(), 1);
    QCOMPARE(journal.sessions().size(), 1);
    prompts.fake().answers = {ui::Prompter::Answer::Yes};
    window.Button2->click();
    QCOMPARE(journal.sessions().size(), 0);
    QCOMPARE(window.StringGrid1->rowCount(), 0);
}

// The learner's own texts are text lessons of code 8, named by their file.
void TestProgression::ownTextsAreAFamily()
{
    const QString name = QStringLiteral("Votre texte\u00a0: lettre.txt");
    const QDateTime start(QDate(2026, 3, 2), QTime(10, 0));
    progress::Journal journal(path());
    QVERIFY(journal.record(session(4, 2, 10, 1, 0, start)));
    SessionRecord own = session(4, 8, 20, 2, 0, start.addSecs(600));
    own.title = QStringLiteral("lettre.txt");
    QVERIFY2(journal.record(own), qPrintable(journal.lastError()));
    QCOMPARE(journal.sessions(4).constLast().title, own.title);

    TProgression window(lessonFamilies());
    window.Init(&journal);
    window.showModule(4);
    QCOMPARE(window.StringGrid1->rowCount(), 2);
    QCOMPARE(row(window.StringGrid1, 0)[1], name);
    QCOMPARE(row(window.StringGrid1, 1)[1], QStringLiteral("La cigale et la fourmi"));
    window.showModule(TProgression::kOwnTexts);
    QCOMPARE(window.ComboBox1->currentText(), QStringLiteral("Votre texte"));
    QCOMPARE(window.StringGrid1->rowCount(), 1);
    QCOMPARE(row(window.StringGrid1, 0)[1], name);
}

void TestProgression::pathMarksTheExercisesThatReachedTheObjective_data()
{
    // Sessions as (module, lesson, good, errors); the path's row of exercise 1.
    QTest::addColumn<QList<QList<int>>>("sessions");
    QTest::addColumn<QStringList>("row");
    QTest::newRow("never typed") << QList<QList<int>>{} << QStringList{u"1 Touches g h"_qs, u"—"_qs};
    QTest::newRow("95 % exactly") << QList<QList<int>>{{2, 1, 95, 5}}
                                  << QStringList{u"1 Touches g h"_qs, u"✓ 95\u00a0%"_qs};
    QTest::newRow("94.9 % is not 95")
        << QList<QList<int>>{{2, 1, 949, 51}} << QStringList{u"1 Touches g h"_qs, u"94\u00a0%"_qs};
    QTest::newRow("the best session counts, long ago too")
        << QList<QList<int>>{{2, 1, 99, 1}, {2, 1, 10, 10}}
        << QStringList{u"1 Touches g h"_qs, u"✓ 99\u00a0%"_qs};
    QTest::newRow("another lesson, another family")
        << QList<QList<int>>{{2, 2, 100, 0}, {3, 1, 100, 0}} << QStringList{u"1 Touches g h"_qs, u"—"_qs};
    // A fifth number: 1 typed to its end, 0 left before it (older journals say neither).
    QTest::newRow("left before its end")
        << QList<QList<int>>{{2, 1, 25, 0, 0}} << QStringList{u"1 Touches g h"_qs, u"inachevé"_qs};
    QTest::newRow("typed to its end")
        << QList<QList<int>>{{2, 1, 196, 4, 1}} << QStringList{u"1 Touches g h"_qs, u"✓ 98\u00a0%"_qs};
    QTest::newRow("a better start does not count") << QList<QList<int>>{{2, 1, 180, 20, 1}, {2, 1, 25, 0, 0}}
                                                   << QStringList{u"1 Touches g h"_qs, u"90\u00a0%"_qs};
}

void TestProgression::pathMarksTheExercisesThatReachedTheObjective()
{
    QFETCH(QList<QList<int>>, sessions);
    QFETCH(QStringList, row);
    progress::Journal journal(path());
    QDateTime start(QDate(2026, 3, 2), QTime(10, 0));
    for (const QList<int> &s : sessions) {
        SessionRecord record = session(s[0], s[1], s[2], s[3], 60, start);
        if (s.size() > 4)
            record.completed = s[4] != 0;
        QVERIFY(journal.record(record));
        // Later sessions push the first out of the chart, not out of the path.
        for (int i = 0; i < TProgression::kChartPoints; ++i)
            QVERIFY(journal.record(session(2, 3, 1, 1, 60, start = start.addSecs(60))));
    }
    TProgression window(lessonFamilies());
    window.Init(&journal);
    window.showModule(2);
    QVERIFY(!window.Parcours1->isHidden());
    QCOMPARE(::row(window.Parcours1, 0), row);
    window.showModule(3); // the path is the exercises'
    QVERIFY(window.Parcours1->isHidden());
}

// The guide's end of lesson and the table of recent sessions read one
// session alike: its keystrokes per minute, its duration, its accuracy.
void TestProgression::lessonEndGivesTheFiguresKept_data()
{
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");
    QTest::addColumn<int>("seconds"); // of the chronometer
    QTest::addColumn<int>("typingMs");
    QTest::newRow("ten seconds, without the chronometer") << 207 << 3 << 0 << 10615;
    QTest::newRow("by the chronometer") << 207 << 3 << 12 << 10615;
    QTest::newRow("under a second") << 4 << 0 << 0 << 900;
    QTest::newRow("a long one") << 3011 << 95 << 0 << 754321;
}

void TestProgression::lessonEndGivesTheFiguresKept()
{
    QFETCH(int, good);
    QFETCH(int, errors);
    QFETCH(int, seconds);
    QFETCH(int, typingMs);
    SessionRecord s = session(2, 1, good, errors, seconds, QDateTime(QDate(2026, 3, 2), QTime(10, 0)));
    s.typingMs = typingMs;
    progress::Journal journal(path());
    QVERIFY(journal.record(s));
    TProgression window(lessonFamilies());
    window.Init(&journal);
    window.showModule(2);
    const QStringList kept = row(window.StringGrid1, 0);
    const QString result = guide::lessonEnd(2, guide::sessionFigures(s), {}).result;
    // « 1 min 05 s » there, « durée 1:05 » here.
    const QStringList duration = kept[5].split(QLatin1Char(' '));
    QVERIFY2(result.contains(QStringLiteral("durée %1:%2").arg(duration[0], duration[2])),
             qPrintable(result));
    if (kept[6] == QStringLiteral("—"))
        QVERIFY2(!result.contains(QStringLiteral("frappes/min")), qPrintable(result));
    else
        QVERIFY2(result.contains(QStringLiteral("· %1 frappes/min").arg(kept[6])), qPrintable(result));
    const int accuracy = progress::accuracyPercent(s);
    QVERIFY2(result.startsWith(QStringLiteral("Précision\u00a0: %1\u00a0%").arg(accuracy)),
             qPrintable(result));
}

// Every session of a journal made before there were learners, with its keys
// and confusions, is the first learner's, named after the account.
void TestProgression::olderSessionsGoToAFirstLearner_data()
{
    QTest::addColumn<int>("version"); // 0: no journal yet
    QTest::newRow("no journal yet") << 0;
    QTest::newRow("first version") << 1;
    QTest::newRow("second version") << 2;
}

void TestProgression::olderSessionsGoToAFirstLearner()
{
    QFETCH(int, version);
    QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
    if (version > 0) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(path());
        QVERIFY(db.open());
        QSqlQuery q(db);
        QStringList statements{
            "CREATE TABLE session (id INTEGER PRIMARY KEY, start_ms INTEGER NOT NULL, end_ms INTEGER NOT NULL,"
            " module INTEGER NOT NULL, lesson INTEGER NOT NULL, good INTEGER NOT NULL, errors INTEGER NOT NULL,"
            " seconds INTEGER NOT NULL, typing_ms INTEGER NOT NULL)",
            "CREATE TABLE session_key (session INTEGER NOT NULL REFERENCES session (id) ON DELETE CASCADE,"
            " key TEXT NOT NULL, typed INTEGER NOT NULL, missed INTEGER NOT NULL)",
            "INSERT INTO session VALUES (1, 1000, 61000, 2, 7, 40, 5, 60, 50000)",
            "INSERT INTO session VALUES (2, 90000, 99000, 3, 1, 20, 1, 0, 8000)",
            "INSERT INTO session_key VALUES (1, 'b', 20, 5)"};
        if (version == 2)
            statements
                << "ALTER TABLE session ADD COLUMN title TEXT"
                << "ALTER TABLE session_key ADD COLUMN ms INTEGER NOT NULL DEFAULT 0"
                << "ALTER TABLE session_key ADD COLUMN timed INTEGER NOT NULL DEFAULT 0"
                << "CREATE TABLE session_confusion (session INTEGER NOT NULL REFERENCES session (id)"
                   " ON DELETE CASCADE, expected TEXT NOT NULL, pressed TEXT NOT NULL, count INTEGER NOT NULL)"
                << "INSERT INTO session_confusion VALUES (1, 'b', 'n', 3)";
        statements << QStringLiteral("PRAGMA user_version = %1").arg(version);
        for (const QString &statement : std::as_const(statements))
            QVERIFY2(q.exec(statement), qPrintable(q.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    progress::Journal journal(path());
    if (version == 0)
        QVERIFY(journal.record(session(2, 7, 40, 5, 60, QDateTime::currentDateTime())));
    const QList<progress::Learner> learners = journal.learners();
    QCOMPARE(learners.size(), 1);
    QCOMPARE(learners[0].name, progress::Journal::accountName());
    QCOMPARE(journal.currentLearner(), learners[0].id);
    const QList<SessionRecord> sessions = journal.sessions();
    QCOMPARE(sessions.size(), version == 0 ? 1 : 2);
    QCOMPARE(learners[0].sessions, sessions.size());
    QCOMPARE(sessions[0].good, 40);
    QVERIFY(!sessions[0].uuid.isEmpty() && (sessions.size() < 2 || sessions[0].uuid != sessions[1].uuid));
    if (version > 0) {
        QCOMPARE(journal.keyStats().size(), 1);
        QCOMPARE(journal.keyStats()[0].missed, 5);
        QCOMPARE(journal.confusions(5).size(), version == 2 ? 1 : 0);
    }
}

void TestProgression::sessionsWaitForTheClassUntilHeld_data()
{
    QTest::addColumn<bool>("fromVersion4");
    QTest::newRow("this version") << false;
    QTest::newRow("journal of version 4") << true;
}

// What a class link has not had yet: sessions since its join, less those
// its server holds; each learner's and each link's apart.
void TestProgression::sessionsWaitForTheClassUntilHeld()
{
    QFETCH(bool, fromVersion4);
    const QDateTime join(QDate(2026, 3, 2), QTime(10, 0));
    QStringList uuids;
    {
        progress::Journal journal(path());
        for (int i = 0; i < 4; ++i) {
            // The first ends before the join.
            SessionRecord s = session(2, 1 + i, 50, 2, 0, join.addSecs(-90 + i * 120));
            s.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            uuids << s.uuid;
            QVERIFY(journal.record(s));
        }
    }
    if (fromVersion4) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(path());
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("DROP TABLE class_sent")));
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 4")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    progress::Journal journal(path());
    QCOMPARE(journal.sessions().size(), 4);
    const qint64 pupil = journal.currentLearner();
    const auto waiting = [&](qint64 learner, const QString &link) {
        QStringList list;
        for (const SessionRecord &s : journal.waitingForClass(learner, link, join))
            list << s.uuid;
        return list;
    };
    QCOMPARE(waiting(pupil, QStringLiteral("a")), uuids.mid(1));
    QVERIFY(journal.markSentToClass(pupil, QStringLiteral("a"), {uuids[2], uuids[2]}));
    QCOMPARE(waiting(pupil, QStringLiteral("a")), (QStringList{uuids[1], uuids[3]}));
    QCOMPARE(journal.waitingCount(pupil, QStringLiteral("a"), join), 2);
    QCOMPARE(journal.waitingForClass(pupil, QStringLiteral("a"), join, 1).size(), 1);
    QCOMPARE(waiting(pupil, QStringLiteral("b")), uuids.mid(1)); // a new join sends afresh
    const qint64 lea = journal.addLearner(QStringLiteral("Léa"), progress::Learner::kBeginner);
    QVERIFY(waiting(lea, QStringLiteral("a")).isEmpty());
    // The record goes with its learner.
    QVERIFY2(journal.removeLearner(pupil), qPrintable(journal.lastError()));
    QCOMPARE(journal.waitingCount(pupil, QStringLiteral("a"), join), 0);
}

// Two learners on one journal: each reads and erases only their own sessions.
void TestProgression::learnersKeepTheirOwnSessions()
{
    progress::Journal journal(path());
    const QDateTime start(QDate(2026, 3, 2), QTime(10, 0));
    QVERIFY(journal.record(session(2, 1, 50, 2, 0, start)));
    QVERIFY(journal.record(session(2, progress::kReviewLesson, 60, 0, 0, start.addSecs(30)))); // no exercise
    const qint64 first = journal.currentLearner();
    const qint64 lea = journal.addLearner(QStringLiteral(" Léa "), progress::Learner::kCanType);
    QVERIFY2(lea > 0, qPrintable(journal.lastError()));
    QCOMPARE(journal.currentLearner(), first); // adding is not choosing
    QVERIFY(journal.setCurrentLearner(lea));
    SessionRecord hers = session(2, 4, 30, 10, 0, start.addSecs(60));
    hers.keys[QStringLiteral("é")] = {30, 10, 0, 0};
    QVERIFY(journal.record(hers));
    QCOMPARE(journal.sessions().size(), 1);
    QCOMPARE(journal.sessions()[0].lesson, 4);
    QCOMPARE(journal.recentKeyStats(10).size(), 1);
    const QList<progress::Learner> learners = journal.learners();
    QCOMPARE(learners.size(), 2);
    QCOMPARE(learners[0].name, QStringLiteral("Léa")); // the last to learn first
    QCOMPARE(learners[0].level, progress::Learner::kCanType);
    QCOMPARE(learners[1].passed, 1);
    // Another opening of the journal goes on with the last learner.
    progress::Journal again(path());
    QCOMPARE(again.currentLearner(), lea);
    QVERIFY(journal.clear());
    QVERIFY(journal.sessions().isEmpty());
    QVERIFY(journal.setCurrentLearner(first));
    QCOMPARE(journal.sessions().size(), 2);
    QVERIFY(journal.removeLearner(lea));
    QVERIFY(!journal.removeLearner(first)); // never the last one
    QVERIFY(journal.lastError().contains(QStringLiteral("au moins un apprenant")));
    QCOMPARE(journal.sessions().size(), 2);
}

void TestProgression::learnerNamesAreChecked_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem"); // in the message; empty: taken
    QTest::newRow("a first name") << QStringLiteral("Tom") << QString();
    QTest::newRow("empty") << QStringLiteral("   ") << QStringLiteral("vide");
    QTest::newRow("too long") << QString(500, QLatin1Char('a')) << QStringLiteral("trop long");
    QTest::newRow("control character") << u"Léa"_qs << QStringLiteral("contrôle");
    QTest::newRow("the same in capitals") << u"LÉA"_qs << u"déjà pris"_qs;
}

void TestProgression::learnerNamesAreChecked()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);
    progress::Journal journal(path());
    QVERIFY(journal.addLearner(u"Léa"_qs, progress::Learner::kBeginner) > 0);
    const qint64 id = journal.addLearner(name, progress::Learner::kBeginner);
    QCOMPARE(id > 0, problem.isEmpty());
    QVERIFY2(journal.lastError().contains(problem), qPrintable(journal.lastError()));
    QCOMPARE(journal.learners().size(), problem.isEmpty() ? 3 : 2);
    if (!problem.isEmpty()) // renaming checks the same
        QVERIFY(!journal.renameLearner(journal.learners()[0].id, name));
}

void TestProgression::learnersWindowAddsChoosesAndRemoves()
{
    test::PrompterScope prompter;
    progress::Journal journal(path());
    QVERIFY(journal.record(session(2, 1, 50, 2, 0, QDateTime(QDate(2026, 10, 2), QTime(9, 0)))));
    TApprenants window;
    window.Init(&journal);
    QCOMPARE(window.ListeApprenants->rowCount(), 1);
    QVERIFY(!window.RetirerApprenant->isEnabled()); // never the last one
    window.NomApprenant->setText(QStringLiteral("Léa"));
    QTest::mouseClick(window.AjouterApprenant, Qt::LeftButton);
    QCOMPARE(window.ListeApprenants->rowCount(), 2);
    QTest::mouseClick(window.AjouterApprenant, Qt::LeftButton); // the same name again
    QCOMPARE(window.ListeApprenants->rowCount(), 2);
    QCOMPARE(prompter.fake().errors.size(), 1);
    QVERIFY(prompter.fake().errors[0].contains(u"déjà pris"_qs));

    QSignalSpy chosen(&window, &TApprenants::learnerChosen);
    window.ListeApprenants->selectRow(0); // the first learner, in progress, with a session
    QCOMPARE(window.NomApprenant->text(), progress::Journal::accountName());
    QTest::mouseClick(window.RetirerApprenant, Qt::LeftButton); // closed without an answer
    QCOMPARE(window.ListeApprenants->rowCount(), 2);
    QVERIFY2(prompter.fake().choiceTexts.value(0).contains(u"1 séance, le 2 octobre 2026"_qs),
             qPrintable(prompter.fake().choiceTexts.value(0)));
    // Saved first, then removed; the file brings the learner back.
    const QString saved = m_dir->filePath(QStringLiteral("moi.tapivox"));
    prompter.fake().choices = {0};
    prompter.fake().saveNames = {saved};
    QTest::mouseClick(window.RetirerApprenant, Qt::LeftButton);
    QCOMPARE(window.ListeApprenants->rowCount(), 1);
    QCOMPARE(chosen.size(), 1); // the learner in progress went: Léa now
    QVERIFY(journal.sessions().isEmpty());
    QCOMPARE(journal.learners()[0].name, QStringLiteral("Léa"));
    prompter.fake().openNames = {saved, saved};
    QTest::mouseClick(window.ImporterApprenant, Qt::LeftButton);
    QTest::mouseClick(window.ImporterApprenant, Qt::LeftButton);
    QCOMPARE(window.ListeApprenants->rowCount(), 2);
    QCOMPARE(prompter.fake().informations,
             QStringList(
                 {progress::Journal::accountName() + QStringLiteral("\u00a0: 1 séance ajoutée."),
                  progress::Journal::accountName() + QStringLiteral("\u00a0: ces séances sont déjà là.")}));
}

// A learner's history carried from one computer's journal to another's:
// everything arrives, and a second import adds nothing.
void TestProgression::learnerFileCarriesAHistoryOnce()
{
    progress::Journal here(path());
    const qint64 lea = here.addLearner(u"Léa"_qs, progress::Learner::kCanType);
    QVERIFY(here.setCurrentLearner(lea));
    SessionRecord s = session(2, 4, 30, 10, 12, QDateTime(QDate(2026, 3, 2), QTime(10, 0)));
    s.keys[u"é"_qs] = {30, 10, 4200, 28};
    s.confusions[{u"é"_qs, u"e"_qs}] = 7;
    s.title = u"<lettre> & co.txt"_qs;
    s.completed = true;
    QVERIFY(here.record(s));
    QVERIFY(here.record(session(3, 1, 20, 0, 0, QDateTime(QDate(2026, 3, 3), QTime(10, 0)))));
    const auto file = here.exportLearner(lea);
    QVERIFY(file);
    QString error;
    const auto read = progress::LearnerFile::parse(file->serialize(), &error);
    QVERIFY2(read, qPrintable(error));

    QTemporaryDir other;
    progress::Journal there(other.filePath(QStringLiteral("progression.sqlite")));
    QVERIFY(there.addLearner(u"LÉA"_qs, progress::Learner::kBeginner) > 0); // another Léa there
    QCOMPARE(there.importLearner(*read), 2);
    QCOMPARE(there.importLearner(*read), 0);
    const QList<progress::Learner> learners = there.learners();
    QCOMPARE(learners.size(), 3);
    const auto arrived = std::find_if(learners.cbegin(), learners.cend(), [&](const progress::Learner &l) {
        return l.uuid == read->learner.uuid;
    });
    QVERIFY(arrived != learners.cend());
    QCOMPARE(arrived->name, u"Léa (2)"_qs);
    QCOMPARE(arrived->level, progress::Learner::kCanType);
    QVERIFY(there.setCurrentLearner(arrived->id));
    const QList<SessionRecord> sessions = there.sessions();
    QCOMPARE(sessions.size(), 2);
    QCOMPARE(sessions[0].uuid, here.sessions()[0].uuid);
    QCOMPARE(sessions[0].title, s.title);
    QCOMPARE(sessions[0].completed, std::optional<bool>(true));
    QCOMPARE(sessions[0].seconds, 12);
    QCOMPARE(there.recentKeyStats(5).size(), 1);
    QCOMPARE(there.recentKeyStats(5)[0].ms, 4200);
    QCOMPARE(there.confusions(5).size(), 1);
    QCOMPARE(there.confusions(5)[0].count, 7);
}

void TestProgression::learnerFileRefusesWhatIsNotOne_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray good = R"({"format": "tapivox-apprenant", "version": 1,
        "apprenant": {"uuid": "6f1c1a52-6c8e-4a8e-9a67-0c2f2d3e4b5a", "nom": "Léa", "niveau": 0},
        "seances": [{"uuid": "0d9f0c3e-1b2a-4c5d-8e7f-112233445566", "debut": 1000, "fin": 61000,
                     "module": 2, "lecon": 4, "bonnes": 30, "erreurs": 1, "secondes": 0,
                     "frappe_ms": 50000, "touches": [["é", 3, 1, 600, 3]], "confusions": []}]})";
    QTest::newRow("a learner's file") << good << QString();
    QTest::newRow("the review under its former code")
        << QByteArray(good).replace("\"lecon\": 4", "\"lecon\": 25") << QString();
    QTest::newRow("not JSON") << QByteArray("%PDF-1.4") << u"pas un fichier d'apprenant"_qs;
    QTest::newRow("truncated") << good.left(good.size() / 2) << u"pas un fichier d'apprenant"_qs;
    QTest::newRow("another program's JSON")
        << QByteArray(R"({"format": "autre"})") << u"pas un fichier d'apprenant"_qs;
    QTest::newRow("from a newer Tapivox")
        << QByteArray(good).replace("\"version\": 1", "\"version\": 2") << u"plus récente"_qs;
    QTest::newRow("a name of control characters")
        << QByteArray(good).replace("Léa", "\\u0007") << u"l'apprenant y est mal décrit"_qs;
    QTest::newRow("a negative count")
        << QByteArray(good).replace("\"bonnes\": 30", "\"bonnes\": -3") << u"séance 1 est illisible"_qs;
    QTest::newRow("a session without its id")
        << QByteArray(good).replace("0d9f0c3e-1b2a-4c5d-8e7f-112233445566", "x") << u"séance 1"_qs;
}

void TestProgression::learnerFileRefusesWhatIsNotOne()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QString error;
    const auto file = progress::LearnerFile::parse(bytes, &error);
    QCOMPARE(bool(file), reason.isEmpty());
    QVERIFY2(error.contains(reason), qPrintable(error));
    if (file) {
        QCOMPARE(file->sessions.value(0).keys.value(u"é"_qs).ms, 600);
        QCOMPARE(file->sessions.value(0).lesson, bytes.contains("\"lecon\": 25") ? progress::kReviewLesson : 4);
    }
}

void TestProgression::windowFitsTheScreen_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<int>("rows"); // recent sessions in sight at least
    QTest::newRow("roomy") << QRect(0, 0, 1920, 1080) << 10;
    QTest::newRow("laptop at 200 %") << QRect(0, 0, 960, 540) << 6;
    QTest::newRow("small, with a panel") << QRect(0, 30, 640, 482) << 3;
}

void TestProgression::windowFitsTheScreen()
{
    QFETCH(QRect, screen);
    QFETCH(int, rows);
    progress::Journal journal(path());
    const QDateTime start(QDate(2026, 3, 2), QTime(10, 0));
    for (int i = 0; i < TProgression::kRecentRows; ++i)
        QVERIFY(journal.record(session(2, 1 + i % 18, 100 + i, i % 7, 60, start.addSecs(600 * i))));
    TProgression window(lessonFamilies());
    window.Init(&journal);
    window.showModule(2);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // As on a screen of that size (the test's own screen has its own).
    window.resize(860, 640);
    ui::fitWindow(&window, screen);
    QTRY_VERIFY(screen.contains(window.frameGeometry()));
    // « Fermer » whole inside the window, whatever scrolls.
    const QRect fermer(window.Button1->mapTo(&window, QPoint(0, 0)), window.Button1->size());
    QVERIFY(window.rect().contains(fermer));
    QTableWidget *table = window.StringGrid1;
    QVERIFY(table->viewport()->height() / table->rowHeight(0) >= rows);
    // The columns hold what they show.
    for (int c = 0; c < table->columnCount(); ++c)
        QVERIFY(table->columnWidth(c) < table->viewport()->width() / 3);
}

void TestProgression::chartIsSharpAtScaleTwo()
{
    progress::ProgressChart chart;
    chart.resize(400, 200);
    const QDateTime start(QDate(2026, 3, 2), QTime(10, 0));
    chart.setSessions({session(2, 1, 60, 6, 60, start), session(2, 1, 120, 2, 60, start.addDays(3))});
    QImage image(chart.size() * 2, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    chart.render(&image);
    // Drawn at the device's resolution: the speed line's colour on single
    // device pixels, not only on pairs.
    int lone = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 1; x + 1 < image.width(); x += 2)
            if (image.pixelColor(x, y) != image.pixelColor(x - 1, y))
                ++lone;
    QVERIFY(lone > 100);
}

void TestProgression::chartSpeaksFrenchAndDrawsNoFalseZero()
{
    QCOMPARE(progress::ProgressChart::graduation(0.25, false), QStringLiteral("0,25"));
    QCOMPARE(progress::ProgressChart::graduation(2.5, true), QStringLiteral("2,5\u00a0%"));
    progress::ProgressChart chart;
    chart.resize(400, 200);
    const QDateTime start(QDate(2026, 3, 2), QTime(10, 0));
    SessionRecord unknown = session(2, 1, 1, 0, 0, start.addDays(1));
    unknown.typingMs = 0; // a single key: no speed
    QCOMPARE(unknown.speed(), 0.0);
    chart.setSessions({session(2, 1, 60, 6, 60, start), unknown, session(2, 1, 60, 6, 60, start.addDays(2))});
    QImage image(chart.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    chart.render(&image);
    // Both known sessions type 60 a minute, the top of the axis: nothing of
    // the speed's colour in the lower half of the plot.
    const QColor speed(0x1f, 0x5f, 0xbf);
    int low = 0;
    for (int y = image.height() / 2; y < image.height(); ++y)
        for (int x = image.width() / 4; x < image.width() * 3 / 4; ++x)
            if (image.pixelColor(x, y) == speed)
                ++low;
    QCOMPARE(low, 0);
}

QTEST_MAIN(TestProgression)
#include "tst_progression.moc"
