// Options › Sons: two choices at the end of the menu, off at first, kept per
// learner; on, a refused key and a lesson's end each ask for their sound
// (counted here, never played), and the lesson itself is the same.
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/linedrill.h"
#include "drills/texos.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "support/testsupport.h"
#include "ui/hooklineedit.h"
#include "ui/sounds.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

namespace {

class CountingPlayer final : public ui::SoundPlayer
{
public:
    void play(Sound sound) override { ++(sound == Sound::Error ? errors : ends); }
    int errors = 0;
    int ends = 0;
};

} // namespace

class TestSounds : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void choicesEndTheOptionsMenu();
    void soundsFollowTheChoices_data();
    void soundsFollowTheChoices();
    void choicesAreEachLearners();

private:
    QTemporaryDir m_home;
    std::unique_ptr<test::PrompterScope> m_prompter;
    std::unique_ptr<test::TempCwd> m_cwd;
    CountingPlayer *m_player = nullptr;
    std::unique_ptr<ui::SoundPlayer> m_previous;
};

void TestSounds::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
}

void TestSounds::init()
{
    auto player = std::make_unique<CountingPlayer>();
    m_player = player.get();
    m_previous = ui::setSoundPlayer(std::move(player));
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompter = std::make_unique<test::PrompterScope>();
    test::startProgram();
}

void TestSounds::cleanup()
{
    test::stopProgram();
    m_prompter.reset();
    m_cwd.reset();
    ui::setSoundPlayer(std::move(m_previous));
    m_player = nullptr;
}

void TestSounds::choicesEndTheOptionsMenu()
{
    auto *options = forms().MainForm->findChild<QMenu *>(QStringLiteral("Options1"));
    QVERIFY(options);
    QStringList names;
    for (const QAction *a : options->actions())
        names << a->objectName();
    QCOMPARE(names, (QStringList{"Bilan1", "Chronomtrer1", "Tabledescaractres1", "Progression1", "Guide1",
                                 "Apprenants1", "Sons1", "Contrasteeleve1", "Tailledutexte1",
                                 "Policedutexte1", "Classe1"}));
    const QAction *sonsItem = options->actions().at(names.indexOf(QStringLiteral("Sons1")));
    const QMenu *sons = sonsItem->menu();
    QVERIFY(sons);
    QCOMPARE(sonsItem->text(), QStringLiteral("S&ons")); // S is the class's
    QStringList items;
    for (const QAction *a : sons->actions()) {
        items << a->objectName() + QLatin1Char('|') + a->text() + QLatin1Char('|') + a->statusTip();
        QVERIFY(a->isCheckable());
        QVERIFY(!a->isChecked());
    }
    QCOMPARE(items, (QStringList{QString::fromUtf8("Sonerreur1|Son à chaque &erreur|Jouer un son à chaque "
                                                   "touche refusée"),
                                 QString::fromUtf8("Sonfin1|Son en &fin de leçon|Jouer un son quand la leçon "
                                                   "est terminée")}));
}

void TestSounds::soundsFollowTheChoices_data()
{
    QTest::addColumn<bool>("onError");
    QTest::addColumn<bool>("onEnd");
    QTest::newRow("both off") << false << false;
    QTest::newRow("errors") << true << false;
    QTest::newRow("lesson end") << false << true;
    QTest::newRow("both") << true << true;
}

// Two refused keys, then exercise 1 typed to its end.
void TestSounds::soundsFollowTheChoices()
{
    QFETCH(bool, onError);
    QFETCH(bool, onEnd);
    TMainForm *frame = forms().MainForm;
    if (onError)
        frame->action(QStringLiteral("Sonerreur1"))->trigger();
    if (onEnd)
        frame->action(QStringLiteral("Sonfin1"))->trigger();
    frame->action(QStringLiteral("N1gh1"))->trigger();
    TExos *exos = forms().Exos;
    QTest::keyClick(exos->Edit2(), Qt::Key_Z);
    QTest::keyClick(exos->Edit2(), Qt::Key_Z);
    QCOMPARE(m_player->ends, 0);
    for (int line = 0; line < drills::LineDrill::LineCount; ++line)
        QTest::keyClicks(exos->typingLine(line), exos->modelLine(line)->text());
    QCOMPARE(exos->errors(), 2);
    QVERIFY(exos->typingLine(0)->text() == exos->modelLine(0)->text());
    QCOMPARE(m_player->errors, onError ? 2 : 0);
    QCOMPARE(m_player->ends, onEnd ? 1 : 0);
    // Off again for the rows after this one.
    for (const char *name : {"Sonerreur1", "Sonfin1"})
        if (QAction *item = frame->action(QLatin1String(name)); item->isChecked())
            item->trigger();
}

void TestSounds::choicesAreEachLearners()
{
    test::stopProgram();
    QTemporaryDir data;
    const QString path = data.filePath(QStringLiteral("progression.sqlite"));
    qint64 first = 0, tom = 0;
    {
        progress::Journal file(path);
        first = file.currentLearner();
        tom = file.addLearner(QStringLiteral("Tom"), 0);
    }
    progress::useJournal(path);
    test::startProgram();
    TMainForm *frame = forms().MainForm;
    frame->action(QStringLiteral("Sonfin1"))->trigger(); // on, for the first learner
    test::stopProgram();
    test::startProgram();
    frame = forms().MainForm;
    QVERIFY(frame->action(QStringLiteral("Sonfin1"))->isChecked());
    QVERIFY(!frame->action(QStringLiteral("Sonerreur1"))->isChecked());
    frame->changeLearner(tom);
    QVERIFY(!frame->action(QStringLiteral("Sonfin1"))->isChecked());
    frame->action(QStringLiteral("Sonerreur1"))->trigger();
    frame->changeLearner(first);
    QVERIFY(frame->action(QStringLiteral("Sonfin1"))->isChecked());
    QVERIFY(!frame->action(QStringLiteral("Sonerreur1"))->isChecked());
    frame->action(QStringLiteral("Sonfin1"))->trigger();
    progress::useJournal(QString());
}

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
