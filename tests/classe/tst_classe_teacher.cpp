// The teacher's side against a real class server: run under pg_virtualenv,
// which makes a throw-away cluster and exports PGHOST, PGPORT, PGUSER,
// PGPASSWORD. Sessions are written as the superuser, as pupils' computers
// would have sent them.
#include "classe/tclasse.h"
#include "classe/teacherclient.h"
#include "progress/tprogression.h"
#include "support/testsupport.h"
#include "ui/accessories_printer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using classe::Failure;
using classe::TeacherClient;

namespace {

const QString kAdmin = QStringLiteral("admin");
// A Thursday; its week began on Monday 7 December.
const QDateTime kNow(QDate(2026, 12, 10), QTime(12, 0));

} // namespace

class TestClasseTeacher : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void namesFromCsv_data();
    void namesFromCsv();
    void csvQuotesAndDecimalCommas();
    void gridFigures_data();
    void gridFigures();
    void removalTakesSessions_data();
    void removalTakesSessions();
    void otherTeacherReachesNothing_data();
    void otherTeacherReachesNothing();
    void windowShowsRowsAndPrintsCards();
    void windowEditsWhatTheClassAsks_data();
    void windowEditsWhatTheClassAsks();

private:
    classe::ClassServer teacher(const QString &role) const;
    QSqlQuery run(const QString &sql, const QVariantList &values = {});
    // "good/errors/seconds/completed/days ago" for each session, oldest first.
    void addSessions(qint64 pupil, const QString &module, const QString &lesson, const QString &sessions);
    qint64 sessionCount(qint64 classId);

    classe::ClassServer m_server;
    int m_classes = 0;
};

void TestClasseTeacher::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("PGPORT"))
        QSKIP("needs a server: run under pg_virtualenv");
    QCOMPARE(QProcess::execute(QStringLiteral("psql"),
                               {"-X", "-q", "-v", "ON_ERROR_STOP=1", "-f", QStringLiteral(CLASSE_SCHEMA)}),
             0);
    m_server.host = qEnvironmentVariable("PGHOST");
    m_server.port = qEnvironmentVariableIntValue("PGPORT");
    m_server.database = qEnvironmentVariable("PGDATABASE");
    m_server.timeoutSeconds = 5;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), kAdmin);
    db.setHostName(m_server.host);
    db.setPort(m_server.port);
    db.setDatabaseName(m_server.database);
    db.setUserName(qEnvironmentVariable("PGUSER"));
    db.setPassword(qEnvironmentVariable("PGPASSWORD"));
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    run("CREATE ROLE maitresse LOGIN PASSWORD 'm' IN ROLE tapivox_enseignants");
    run("CREATE ROLE voisin LOGIN PASSWORD 'v' IN ROLE tapivox_enseignants");
    run("ALTER ROLE tapivox_eleve PASSWORD 'e'");
}

classe::ClassServer TestClasseTeacher::teacher(const QString &role) const
{
    classe::ClassServer server = m_server;
    server.user = role;
    server.password = role == QLatin1String("maitresse") ? QStringLiteral("m")
                      : role == QLatin1String("voisin")  ? QStringLiteral("v")
                                                         : QStringLiteral("e");
    return server;
}

QSqlQuery TestClasseTeacher::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(QSqlDatabase::database(kAdmin, false));
    bool done = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!values.isEmpty() && done)
        done = query.exec();
    if (!done)
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return query;
}

void TestClasseTeacher::addSessions(qint64 pupil, const QString &module, const QString &lesson,
                                    const QString &sessions)
{
    int minute = 0;
    for (const QString &s : sessions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList f = s.split(QLatin1Char('/'));
        const QDateTime ended = kNow.addDays(-f[4].toInt()).addSecs(-3600 + 60 * ++minute);
        // Without a chronometer, the typing time says the speed.
        const int seconds = f[2].toInt();
        run("INSERT INTO classe.sessions VALUES (gen_random_uuid(), ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {pupil, module, lesson, f[0].toInt(), f[1].toInt(), seconds, seconds > 0 ? seconds * 1000 : 30000,
             ended.addSecs(-qMax(seconds, 30)).toUTC(), ended.toUTC(), f[3] == QLatin1String("t")});
    }
}

qint64 TestClasseTeacher::sessionCount(qint64 classId)
{
    QSqlQuery query = run("SELECT count(*) FROM classe.sessions s JOIN classe.pupils p ON p.id = s.pupil_id"
                          " WHERE p.class_id = ?",
                          {classId});
    return query.next() ? query.value(0).toLongLong() : -1;
}

void TestClasseTeacher::namesFromCsv_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("error");
    QTest::newRow("one a line, BOM, CRLF, blanks") << QByteArray("\xEF\xBB\xBFL\xC3\xA9"
                                                                 "a\r\n\r\n  Tom  \r\n")
                                                   << QStringList{"Léa", "Tom"} << "";
    QTest::newRow("first column, semicolons, heading") << QByteArray("Nom;Pr\xC3\xA9nom\nMartin L.;L\xC3\xA9"
                                                                     "a\nZo\xC3\xA9;\n")
                                                       << QStringList{"Martin L.", "Zoé"} << "";
    QTest::newRow("commas, quoted with a comma and a quote")
        << QByteArray("\"Durand, Tom\",CM2\n\"Le \"\"grand\"\" Max\",CM2\nInès,CM2")
        << QStringList{"Durand, Tom", "Le \"grand\" Max", "Inès"} << "";
    QTest::newRow("a semicolon file keeps a comma") << QByteArray("Martin, L\xC3\xA9"
                                                                  "a;6e\n")
                                                    << QStringList{"Martin, Léa"} << "";
    QTest::newRow("Latin-1 is refused") << QByteArray("L\xE9"
                                                      "a\n")
                                        << QStringList{} << "pas en UTF-8";
    QTest::newRow("only a heading") << QByteArray("Nom\n\n") << QStringList{} << "aucun nom";
    QTest::newRow("a name too long") << QByteArray(81, 'x') << QStringList{} << "dépasse 80 caractères";
}

void TestClasseTeacher::namesFromCsv()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(QString, error);
    const classe::NameImport import = classe::namesFromCsv(bytes);
    QCOMPARE(import.names, names);
    QVERIFY2(error.isEmpty() ? import.error.isEmpty() : import.error.contains(error),
             qPrintable(import.error));
}

void TestClasseTeacher::csvQuotesAndDecimalCommas()
{
    classe::ClassGrid grid;
    grid.exercises = {{"2", "4"}, {"2", "10"}};
    classe::GridRow first{
        1, QStringLiteral("Martin; Léa"), QDateTime(QDate(2026, 12, 9), QTime(14, 5)), 1500, {}, {}};
    first.cells.insert({"2", "4"}, {97.5, 21, true});
    first.stuckOn = {{"2", "10"}};
    first.cells.insert({"2", "10"}, {88.2, 12, false});
    grid.rows = {first, {2, QStringLiteral("Tom \"le grand\""), {}, 0, {}, {}}};
    const QByteArray csv = classe::gridCsv(
        grid, [](const classe::ExerciseKey &key) { return QStringLiteral("Ex. ") + key.lesson; });
    QCOMPARE(csv, QByteArray("\xEF\xBB\xBF"
                             "\xC3\x89l\xC3\xA8ve;Ex. 4 pr\xC3\xA9"
                             "cision (%);Ex. 4 vitesse (mots/min);Ex. 4 objectif;"
                             "Ex. 10 pr\xC3\xA9"
                             "cision (%);Ex. 10 vitesse (mots/min);Ex. 10 objectif;"
                             "Derni\xC3\xA8re s\xC3\xA9"
                             "ance;Cette semaine (min);Bloque sur\r\n"
                             "\"Martin; L\xC3\xA9"
                             "a\";97,5;21;atteint;88,2;12;;09/12/2026 14:05;25;Ex. 10\r\n"
                             "\"Tom \"\"le grand\"\"\";;;;;;;;0;\r\n"));
}

void TestClasseTeacher::gridFigures_data()
{
    QTest::addColumn<QString>("sessions"); // on exercise 2:4, oldest first
    QTest::addColumn<double>("precision");
    QTest::addColumn<int>("speed");
    QTest::addColumn<bool>("met");
    QTest::addColumn<bool>("stuck");
    QTest::addColumn<int>("weekMinutes");
    // 95 % and 20 words a minute: 100 good keys in a minute is 20 words.
    QTest::newRow("met once among misses") << "95/5/60/t/1 100/2/60/t/0" << 98.0 << 20 << true << false << 2;
    QTest::newRow("three misses in a row")
        << "50/10/60/t/2 50/10/60/t/1 60/10/60/t/0" << 85.7 << 12 << false << true << 3;
    QTest::newRow("two misses only") << "50/10/60/t/1 50/10/60/t/0" << 83.3 << 10 << false << false << 2;
    QTest::newRow("met, then three misses")
        << "100/0/60/t/9 50/10/60/t/2 50/10/60/t/1 50/10/60/t/0" << 100.0 << 20 << true << true << 3;
    QTest::newRow("fast but left before the end") << "200/0/60/f/0" << 100.0 << 40 << false << false << 1;
    // 60 keys in 30 s of typing: 24 words a minute.
    QTest::newRow("no chronometer: the typing time") << "60/1/0/t/0" << 98.3 << 24 << true << false << 1;
    QTest::newRow("last week's time is not this week's")
        << "100/0/600/t/4 100/0/60/t/0" << 100.0 << 20 << true << false << 1;
}

void TestClasseTeacher::gridFigures()
{
    QFETCH(QString, sessions);
    QFETCH(double, precision);
    QFETCH(int, speed);
    QFETCH(bool, met);
    QFETCH(bool, stuck);
    QFETCH(int, weekMinutes);
    TeacherClient client(teacher(QStringLiteral("maitresse")));
    QVERIFY2(client.open(), qPrintable(client.message()));
    const auto klass = client.createClass(QStringLiteral("CM2 %1").arg(++m_classes));
    QVERIFY(klass);
    const QList<classe::NewPupil> added =
        client.addPupils(klass->id, {QStringLiteral("Zoé"), QStringLiteral("Léa"), QStringLiteral(" ")});
    QCOMPARE(added.size(), 2);
    QCOMPARE(added[0].code.size(), 8);
    addSessions(added[1].id, "2", "4", sessions);
    // Zoé typed another exercise, which makes a column of its own.
    addSessions(added[0].id, "2", "10", "10/0/60/t/0");
    const auto grid = client.grid(klass->id, kNow);
    QVERIFY2(grid, qPrintable(client.message()));
    QCOMPARE(grid->exercises, (QList<classe::ExerciseKey>{{"2", "4"}, {"2", "10"}}));
    QCOMPARE(grid->rows.size(), 2);
    const classe::GridRow &lea = grid->rows[0];
    QCOMPARE(lea.name, QStringLiteral("Léa"));
    QCOMPARE(grid->rows[1].name, QStringLiteral("Zoé"));
    QCOMPARE(lea.cells.keys(), (QList<classe::ExerciseKey>{{"2", "4"}}));
    const classe::GridCell cell = lea.cells.value({"2", "4"});
    QCOMPARE(cell.bestPrecision, precision);
    QCOMPARE(cell.bestSpeed, speed);
    QCOMPARE(cell.met, met);
    const QList<classe::ExerciseKey> stuckOn =
        stuck ? QList<classe::ExerciseKey>{{"2", "4"}} : QList<classe::ExerciseKey>{};
    QCOMPARE(lea.stuckOn, stuckOn);
    QCOMPARE((lea.secondsThisWeek + 30) / 60, weekMinutes);
    QCOMPARE(lea.lastSession, kNow.addSecs(-3600 + 60 * sessions.count(QLatin1Char('/')) / 4));
}

void TestClasseTeacher::removalTakesSessions_data()
{
    QTest::addColumn<bool>("wholeClass");
    QTest::newRow("delete a pupil") << false;
    QTest::newRow("Fin d'année") << true;
}

void TestClasseTeacher::removalTakesSessions()
{
    QFETCH(bool, wholeClass);
    TeacherClient client(teacher(QStringLiteral("maitresse")));
    const auto klass = client.createClass(QStringLiteral("6e %1").arg(++m_classes));
    QVERIFY2(klass, qPrintable(client.message()));
    const QList<classe::NewPupil> added =
        client.addPupils(klass->id, {QStringLiteral("Inès"), QStringLiteral("Tom")});
    addSessions(added[0].id, "2", "1", "90/1/60/t/0 90/1/60/t/0");
    addSessions(added[1].id, "2", "1", "90/1/60/t/0");
    QVERIFY(client.addAssignment(klass->id, {0, added[0].id, "2", "1", "6", 95, 20, QDate(2026, 12, 18)}));
    QVERIFY(client.setHidden(klass->id, {"5", "1"}, true));
    QCOMPARE(sessionCount(klass->id), 3);
    QVERIFY(wholeClass ? client.emptyClass(klass->id) : client.deletePupil(added[0].id));
    QCOMPARE(sessionCount(klass->id), wholeClass ? 0 : 1);
    QCOMPARE(client.pupils(klass->id).size(), wholeClass ? 0 : 1);
    QVERIFY(client.assignments(klass->id).isEmpty());
    // The class stays, with its code and what it hides.
    const QList<classe::TeacherClass> classes = client.myClasses();
    QVERIFY(std::any_of(classes.cbegin(), classes.cend(), [&](const classe::TeacherClass &c) {
        return c.id == klass->id && c.code == klass->code;
    }));
    QCOMPARE(client.hiddenLessons(klass->id), (QList<classe::HiddenLesson>{{"5", "1"}}));
}

void TestClasseTeacher::otherTeacherReachesNothing_data()
{
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("operation");
    for (const char *role : {"voisin", "tapivox_eleve"})
        for (const char *operation : {"list", "grid", "history", "add pupil", "delete pupil", "Fin d'année",
                                      "assign", "hide", "objective"})
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(role, operation))) << role << operation;
}

void TestClasseTeacher::otherTeacherReachesNothing()
{
    QFETCH(QString, role);
    QFETCH(QString, operation);
    TeacherClient owner(teacher(QStringLiteral("maitresse")));
    const auto klass = owner.createClass(QStringLiteral("CE1 %1").arg(++m_classes));
    QVERIFY(klass);
    const QList<classe::NewPupil> added = owner.addPupils(klass->id, {QStringLiteral("Léa")});
    addSessions(added[0].id, "2", "1", "90/1/60/t/0");
    TeacherClient other(teacher(role));
    if (role == QLatin1String("tapivox_eleve")) {
        // The pupils' role is refused at the door.
        QVERIFY(!other.open());
        QCOMPARE(other.failure(), Failure::Refused);
        QVERIFY(other.message().contains(QStringLiteral("n'est pas celui d'un enseignant")));
        return;
    }
    bool done = true;
    if (operation == QLatin1String("list")) {
        const QList<classe::TeacherClass> seen = other.myClasses();
        done = std::none_of(seen.cbegin(), seen.cend(),
                            [&](const classe::TeacherClass &c) { return c.id == klass->id; });
    } else if (operation == QLatin1String("grid"))
        done = !other.grid(klass->id, kNow);
    else if (operation == QLatin1String("history")) {
        // Another teacher's pupil has no session this role may read.
        const auto sessions = other.pupilSessions(added[0].id);
        QVERIFY(sessions && sessions->isEmpty());
        QVERIFY(owner.pupilSessions(added[0].id).value_or(QList<progress::SessionRecord>{}).size() == 1);
        return;
    } else if (operation == QLatin1String("add pupil"))
        done = other.addPupils(klass->id, {QStringLiteral("Intrus")}).isEmpty();
    else if (operation == QLatin1String("delete pupil"))
        done = !other.deletePupil(added[0].id);
    else if (operation == QLatin1String("Fin d'année"))
        done = !other.emptyClass(klass->id);
    else if (operation == QLatin1String("assign"))
        done = !other.addAssignment(klass->id, {0, 0, "2", "1", "6", 95, 20, {}});
    else if (operation == QLatin1String("hide"))
        done = !other.setHidden(klass->id, {"5", "1"}, true);
    else
        done = !other.setObjective(klass->id, 10, 1);
    QVERIFY(done);
    if (operation != QLatin1String("list")) {
        QCOMPARE(other.failure(), Failure::Refused);
        QVERIFY2(other.message().contains(QStringLiteral("\u00a0: ")), qPrintable(other.message()));
    }
    // Nothing changed for the owner.
    QCOMPARE(owner.pupils(klass->id).size(), 1);
    QCOMPARE(sessionCount(klass->id), 1);
    QVERIFY(owner.assignments(klass->id).isEmpty());
    QVERIFY(owner.hiddenLessons(klass->id).isEmpty());
}

// The window offscreen: pupils imported from a file get their cards printed
// into a PDF, read back by pdftotext, and the grid shows their rows.
void TestClasseTeacher::windowShowsRowsAndPrintsCards()
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("eleves.csv"));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBFNom;Classe\nL\xC3\xA9"
               "a;CM2\nTom;CM2\n");
    file.close();
    const QString pdf = dir.filePath(QStringLiteral("cartes.pdf"));
    auto previous = ui::setTextPrinter(std::make_unique<ui::QtTextPrinter>(pdf));
    test::PrompterScope prompts;
    prompts.fake().openNames << csv;
    auto client = std::make_unique<TeacherClient>(teacher(QStringLiteral("maitresse")));
    QVERIFY(client->open());
    const auto klass = client->createClass(QStringLiteral("CM2 fenêtre"));
    QVERIFY(klass);
    classe::TClasse window(std::move(client), {{2, QStringLiteral("Exercices"), {}}});
    window.setClock([] { return kNow; });
    window.refresh();
    window.showClass(klass->id);
    window.show();
    window.importPupils();
    ui::setTextPrinter(std::move(previous));
    QVERIFY2(prompts.fake().errors.isEmpty(), qPrintable(prompts.fake().errors.join(u'|')));
    auto *grid = window.findChild<QTableWidget *>(QStringLiteral("GrilleClasse"));
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("Léa"));
    QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("Tom"));
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"),
                 {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY2(reader.waitForFinished(30000) && reader.exitCode() == 0, "pdftotext (poppler-utils) is needed");
    const QString text = QString::fromUtf8(reader.readAllStandardOutput()).replace(u'\u00a0', u' ');
    QVERIFY2(text.contains(QStringLiteral("Nom : Léa")) && text.contains(klass->code), qPrintable(text));
    // The codes on the cards are the ones that open the class.
    QCOMPARE(prompts.fake().informations.size(), 1);
    const QString told = prompts.fake().informations.first();
    const QString leaCode = told.section(QStringLiteral("Léa\u00a0: "), 1).left(8);
    QVERIFY2(text.contains(QStringLiteral("Code personnel : ") + leaCode), qPrintable(text));

    // One pupil's history, in the Progression window's charts and table;
    // the class's most-missed characters, summed over its pupils.
    const qint64 lea = grid->item(0, 0)->data(Qt::UserRole).toLongLong();
    const qint64 tom = grid->item(1, 0)->data(Qt::UserRole).toLongLong();
    addSessions(lea, "2", "1", "90/1/60/t/0 95/0/60/t/0");
    addSessions(tom, "2", "1", "90/1/60/t/0");
    run("INSERT INTO classe.session_misses SELECT uuid, pupil_id, c, 10, CASE c WHEN 'é' THEN 3 ELSE 1 END"
        " FROM classe.sessions, unnest(ARRAY['é', 'ç']) c WHERE pupil_id IN (?, ?)",
        {lea, tom});
    window.refresh();
    window.showClass(klass->id);
    const QString missed = window.findChild<QLabel *>(QStringLiteral("CaracteresManques"))->text();
    QVERIFY2(missed.contains(u"«\u00a0é\u00a0» (9\u00a0fois sur 30), «\u00a0ç\u00a0» (3\u00a0fois sur 30)"_qs),
             qPrintable(missed));
    grid->selectRow(0);
    window.findChild<QPushButton *>(QStringLiteral("ProgressionEleve"))->click();
    TProgression *history = window.pupilProgression();
    QVERIFY(history && history->isVisible());
    QCOMPARE(history->windowTitle(), QStringLiteral("Progression de Léa"));
    QCOMPARE(history->StringGrid1->rowCount(), 2);
    QVERIFY(!history->Button2->isVisible()); // the pupil's own history is not the teacher's to clear
}

void TestClasseTeacher::windowEditsWhatTheClassAsks_data()
{
    QTest::addColumn<QString>("action");
    // The assignments' list as the dialog shows it, the lessons hidden, or
    // the objective.
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("objective") << "objective" << QStringList{"92.5 15"};
    QTest::newRow("assignment for the class")
        << "assign class"
        << QStringList{
               "Exercices 1 à 6, 95\u00a0% et 20\u00a0mots/min, avant le 18\u00a0décembre — toute la classe"};
    QTest::newRow("assignment for one pupil, without a date")
        << "assign Léa"
        << QStringList{"Phrases\u00a0: Maximes à Citations, 92,5\u00a0% et 20\u00a0mots/min — Léa"};
    QTest::newRow("assignment removed") << "assign class, remove" << QStringList{};
    QTest::newRow("hide one, show another") << "hide" << QStringList{"5:2"};
}

// The dialogs driven through their widgets, against the server.
void TestClasseTeacher::windowEditsWhatTheClassAsks()
{
    QFETCH(QString, action);
    QFETCH(QStringList, expected);
    test::PrompterScope prompts;
    TeacherClient check(teacher(QStringLiteral("maitresse")));
    const auto klass = check.createClass(QStringLiteral("CM1 %1").arg(++m_classes));
    QVERIFY(klass);
    const QList<classe::NewPupil> added = check.addPupils(klass->id, {QStringLiteral("Léa")});
    QVERIFY(check.setHidden(klass->id, {"5", "1"}, true));
    auto client = std::make_unique<TeacherClient>(teacher(QStringLiteral("maitresse")));
    QVERIFY(client->open());
    QList<progress::LessonFamily> families{{2, QStringLiteral("Exercices"), {}},
                                           {3, QStringLiteral("Phrases"), {{1, "Maximes"}, {2, "Citations"}}},
                                           {5, QStringLiteral("Jeu"), {{1, "Lettres"}, {2, "Mots"}}}};
    for (int code : {1, 2, 3, 4, 5, 6, 7, 100})
        families[0].lessons.append({code, QStringLiteral("Exercice %1").arg(code)});
    classe::TClasse window(std::move(client), families);
    window.setClock([] { return kNow; });
    window.refresh();
    window.showClass(klass->id);
    QStringList shown;
    bool reviewEndsRange = false;
    prompts.fake().onModal = [&](QDialog *d) {
        if (action == QLatin1String("objective")) {
            d->findChild<QDoubleSpinBox *>(QStringLiteral("PrecisionObjectif"))->setValue(92.5);
            d->findChild<QSpinBox *>(QStringLiteral("VitesseObjectif"))->setValue(15);
            return int(QDialog::Accepted);
        }
        if (action == QLatin1String("hide")) {
            QTreeWidgetItem *jeu = d->findChild<QTreeWidget *>(QStringLiteral("ListeLecons"))
                                       ->findItems("Jeu", Qt::MatchExactly)[0];
            jeu->child(0)->setCheckState(0, Qt::Unchecked);
            jeu->child(1)->setCheckState(0, Qt::Checked);
            return int(QDialog::Accepted);
        }
        auto *family = d->findChild<QComboBox *>(QStringLiteral("FamilleConsigne"));
        auto *last = d->findChild<QComboBox *>(QStringLiteral("DerniereLecon"));
        auto *list = d->findChild<QListWidget *>(QStringLiteral("ListeConsignes"));
        if (action.contains(QStringLiteral("Léa"))) {
            auto *who = d->findChild<QComboBox *>(QStringLiteral("PourConsigne"));
            who->setCurrentIndex(who->findText(QStringLiteral("Léa")));
            family->setCurrentIndex(family->findText(QStringLiteral("Phrases")));
            last->setCurrentIndex(last->findText(QStringLiteral("Citations")));
            d->findChild<QDoubleSpinBox *>(QStringLiteral("PrecisionConsigne"))->setValue(92.5);
            d->findChild<QCheckBox *>(QStringLiteral("AvecDate"))->setChecked(false);
        } else {
            // The review ends no range of exercises.
            reviewEndsRange = last->findData(100) >= 0;
            last->setCurrentIndex(last->findData(6));
            d->findChild<QDateEdit *>(QStringLiteral("DateConsigne"))->setDate(QDate(2026, 12, 18));
        }
        d->findChild<QPushButton *>(QStringLiteral("AjouterConsigne"))->click();
        if (action.endsWith(QStringLiteral("remove"))) {
            list->setCurrentRow(0);
            d->findChild<QPushButton *>(QStringLiteral("RetirerConsigne"))->click();
        }
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        return int(QDialog::Rejected);
    };
    if (action == QLatin1String("objective")) {
        window.editObjective();
        QVERIFY(window.grid());
        shown << QStringLiteral("%1 %2")
                     .arg(window.grid()->klass.objectivePrecision)
                     .arg(window.grid()->klass.objectiveSpeed);
    } else if (action == QLatin1String("hide")) {
        window.editHiddenLessons();
        for (const classe::HiddenLesson &h : check.hiddenLessons(klass->id))
            shown << h.module + QLatin1Char(':') + h.lesson;
    } else {
        window.editAssignments();
        const QList<classe::Assignment> stored = check.assignments(klass->id);
        QCOMPARE(stored.size(), expected.size());
        if (!stored.isEmpty())
            QCOMPARE(stored[0].pupilId, action.contains(QStringLiteral("Léa")) ? added[0].id : 0);
    }
    QVERIFY2(prompts.fake().errors.isEmpty(), qPrintable(prompts.fake().errors.join(u'|')));
    QVERIFY(!reviewEndsRange);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(TestClasseTeacher)
#include "tst_classe_teacher.moc"
