// The guide band in the running program: it follows the lesson in front, marks
// a refused key, stays out of the game, and its option is kept between runs;
// the end of a lesson shows its result and leads on.
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/texos.h"
#include "drills/tphrases.h"
#include "guide/fingerpalette.h"
#include "guide/guideband.h"
#include "guide/guidewelcome.h"
#include "guide/keyboardpicture.h"
#include "keyboard/tclavier.h"
#include "keymodel/keymodel.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "progress/tapprenants.h"
#include "support/testsupport.h"
#include "ui/caption.h"
#include "ui/colourscience.h"
#include "ui/hooklineedit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

class TestGuideBand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void bandFollowsTheLessonInFront_data();
    void bandFollowsTheLessonInFront();
    void typedKeysMoveTheGuide();
    void accessoryInFrontShowsNoKey_data();
    void accessoryInFrontShowsNoKey();
    void discoveryNamesTheKeyPressed();
    void keysShowTheirLook_data();
    void keysShowTheirLook();
    void optionIsKeptAcrossARestart();
    void optionIsEachLearners();
    void startOffersWhatTheJournalSays_data();
    void startOffersWhatTheJournalSays();
    void lessonEndLeadsOn_data();
    void lessonEndLeadsOn();
    void pageOfPhrasesKeepsTheCaret();
    void refusedKeyFlashesTheLine_data();
    void refusedKeyFlashesTheLine();
    void highContrastTextsReachSevenToOne();

private:
    guide::GuideBand *band() const;
    QTemporaryDir m_home;
    std::unique_ptr<test::PrompterScope> m_prompter;
    std::unique_ptr<test::TempCwd> m_cwd;
};

void TestGuideBand::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    keyboard::LiveKeyModel::instance().useLayout(QStringLiteral("fr"));
}

void TestGuideBand::init()
{
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompter = std::make_unique<test::PrompterScope>();
    test::startProgram();
    forms().MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
}

void TestGuideBand::cleanup()
{
    test::stopProgram();
    m_prompter.reset();
    m_cwd.reset();
}

guide::GuideBand *TestGuideBand::band() const
{
    return forms().MainForm->guideBand();
}

void TestGuideBand::bandFollowsTheLessonInFront_data()
{
    QTest::addColumn<QString>("item"); // menu item that brings the lesson
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QList<int>>("lit");
    QTest::newRow("exercise 1") << "N1gh1"
                                << "Index gauche\u00a0: G" << QList<int>{42};
    QTest::newRow("exercise 15") << "N15Touches1"
                                 << "Index droit\u00a0: N, avec Maj gauche" << QList<int>{50, 57};
    QTest::newRow("phrases") << "Maximes1"
                             << "Index droit\u00a0: U, avec Maj gauche" << QList<int>{50, 30};
    QTest::newRow("text") << "Fonctionsdebase1"
                          << "" << QList<int>{};
    QTest::newRow("data entry") << "Fonctionsdebase2"
                                << "" << QList<int>{};
    QTest::newRow("discovery") << "Dcouverte1"
                               << "" << QList<int>{};
    QTest::newRow("game") << "Lettres1"
                          << "-" << QList<int>{};
}

void TestGuideBand::bandFollowsTheLessonInFront()
{
    QFETCH(QString, item);
    QFETCH(QString, sentence);
    QFETCH(QList<int>, lit);
    TMainForm *frame = forms().MainForm;
    QTRY_VERIFY(band() && band()->isVisible());
    frame->resize(1280, 1024); // a tall screen: the band must not sit far below
    frame->action(item)->trigger();
    if (sentence == QLatin1String("-")) { // no band under the game
        QVERIFY(!band()->isVisible());
        frame->action(QStringLiteral("N1gh1"))->trigger();
        QVERIFY(band()->isVisible());
        return;
    }
    QVERIFY(band()->isVisible());
    LessonWindow *w = frame->activeLesson();
    QCOMPARE(band()->logic().expected(), w->guideExpected());
    // Right under the lesson window's frame, never over it.
    const QWidget *sub = w->parentWidget();
    QTRY_COMPARE(frame->height(), 1024);
    const int gap = band()->mapToGlobal(QPoint()).y() - sub->mapToGlobal(QPoint(0, sub->height())).y();
    QVERIFY2(gap >= 0 && gap <= 12, qPrintable(QString::number(gap)));
    if (!sentence.isEmpty()) {
        QCOMPARE(band()->consigne()->text(), sentence);
        QCOMPARE(band()->accessibleDescription(), sentence);
    }
    QVariantList keys;
    for (int k : lit)
        keys << k;
    if (!lit.isEmpty())
        QCOMPARE(band()->picture()->property("litKeys").toList(), keys);
}

void TestGuideBand::typedKeysMoveTheGuide()
{
    TMainForm *frame = forms().MainForm;
    QTRY_VERIFY(band() && band()->isVisible());
    frame->action(QStringLiteral("N10Touches1"))->trigger();
    TExos *exos = forms().Exos;
    exos->Edit4()->setFocus(); // "môm pùm ..."
    QTRY_COMPARE(QApplication::focusWidget(), exos->Edit4());
    guide::KeyboardPicture *picture = band()->picture();
    QCOMPARE(band()->consigne()->text(), QStringLiteral("Auriculaire droit\u00a0: M"));
    QTest::keyClick(exos->Edit4(), Qt::Key_M);
    QCOMPARE(band()->consigne()->text(),
             QStringLiteral("Auriculaire droit\u00a0: ^ (touche morte), puis annulaire droit\u00a0: O"));
    // A wrong key: the expected key outlined, the pressed one grey.
    QTest::keyClick(exos->Edit4(), Qt::Key_J);
    QCOMPARE(picture->property("missedKey").toInt(), 34);
    QCOMPARE(picture->property("pressedKey").toInt(), 44);
    QCOMPARE(picture->property("litKeys").toList(), QVariantList{34});
    // The dead key moves the guide to the letter and clears the marks.
    QTest::sendKeyEvent(QTest::Click, exos->Edit4(), Qt::Key_Dead_Circumflex, QString(), {});
    QCOMPARE(picture->property("missedKey").toInt(), 0);
    QCOMPARE(picture->property("pressedKey").toInt(), 0);
    QCOMPARE(band()->consigne()->text(), QStringLiteral("Annulaire droit\u00a0: O"));
    QCOMPARE(picture->property("litKeys").toList(), QVariantList{32});
    QTest::keyClick(exos->Edit4(), Qt::Key_O);
    QCOMPARE(exos->Edit4()->text(), QStringLiteral("mô"));
    QCOMPARE(band()->consigne()->text(), QStringLiteral("Auriculaire droit\u00a0: M"));
}

void TestGuideBand::accessoryInFrontShowsNoKey_data()
{
    QTest::addColumn<QString>("item"); // of the Utilitaires menu
    QTest::newRow("calculator") << "Clculatrice1";
    QTest::newRow("clock") << "Horloge1";
    QTest::newRow("calendar") << "Calendrier1";
    QTest::newRow("notepad") << "Blocnotes1";
}

// With an accessory in front, its keys are no answer to the lesson: the band
// lights nothing and says nothing, and a dead key typed there leaves the
// lesson's guide where it was.
void TestGuideBand::accessoryInFrontShowsNoKey()
{
    QFETCH(QString, item);
    TMainForm *frame = forms().MainForm;
    QTRY_VERIFY(band() && band()->isVisible());
    frame->action(QStringLiteral("N10Touches1"))->trigger();
    TExos *exos = forms().Exos;
    exos->Edit4()->setFocus(); // "môm pùm ..."
    QTRY_COMPARE(QApplication::focusWidget(), exos->Edit4());
    QTest::keyClick(exos->Edit4(), Qt::Key_M);
    const QString sentence = band()->consigne()->text();
    QVERIFY(sentence.startsWith(QStringLiteral("Auriculaire droit\u00a0: ^ (touche morte)")));
    bool inFront = false;
    QString shown = QStringLiteral("-");
    QVariantList lit{0};
    m_prompter->fake().onModal = [&](QDialog *dialog) {
        dialog->show();
        dialog->activateWindow();
        inFront = QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; });
        QWidget *keys = QApplication::focusWidget() ? QApplication::focusWidget() : dialog;
        QTest::sendKeyEvent(QTest::Click, keys, Qt::Key_Dead_Circumflex, QString(), {});
        QTest::sendKeyEvent(QTest::Click, keys, Qt::Key_Space, QStringLiteral(" "), {});
        shown = band()->consigne()->text();
        lit = band()->picture()->property("litKeys").toList();
        dialog->hide();
        return 0;
    };
    frame->action(item)->trigger();
    QVERIFY(inFront);
    QCOMPARE(shown, QString());
    QCOMPARE(lit, QVariantList());
    frame->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), frame);
    QCOMPARE(band()->consigne()->text(), sentence);
    QCOMPARE(band()->picture()->property("litKeys").toList(), QVariantList{34});
    QCOMPARE(exos->Edit4()->text(), QStringLiteral("m"));
}

void TestGuideBand::discoveryNamesTheKeyPressed()
{
    TClavier *clavier = forms().Clavier;
    QTRY_VERIFY(band() && band()->isVisible());
    QTest::keyClick(clavier, Qt::Key_F, Qt::NoModifier);
    QCOMPARE(band()->consigne()->text(), QStringLiteral("Touche F\u00a0: index gauche"));
    QCOMPARE(band()->picture()->property("litKeys").toList(), QVariantList{41});
}

void TestGuideBand::keysShowTheirLook_data()
{
    QTest::addColumn<int>("lit");     // X keycode, or 0
    QTest::addColumn<int>("pressed"); // by mistake, or 0
    QTest::addColumn<int>("missed");  // outlined in red, or 0
    QTest::addColumn<QColor>("face"); // the Q key's (left pinky) middle
    const QColor rest(0x80, 0xB8, 0xD8), pinky(0x00, 0x72, 0xB2), grey(0x9A, 0x9A, 0x9A);
    QTest::newRow("at rest") << 0 << 0 << 0 << rest;
    QTest::newRow("lit") << 38 << 0 << 0 << pinky;
    QTest::newRow("another key lit") << 39 << 0 << 0 << rest;
    QTest::newRow("pressed by mistake") << 39 << 38 << 39 << grey;
    QTest::newRow("missed") << 38 << 39 << 38 << pinky;
}

// Each look of a key, shown after the Q key was lit, then grey: a key's
// picture kept from one look must not stand in for another.
void TestGuideBand::keysShowTheirLook()
{
    QFETCH(int, lit);
    QFETCH(int, pressed);
    QFETCH(int, missed);
    QFETCH(QColor, face);
    guide::KeyboardPicture picture;
    picture.setModel(nullptr);
    picture.resize(520, 200);
    picture.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picture));
    const QRectF key = picture.keyRect(38);
    const QPoint middle = key.center().toPoint(), edge(middle.x(), qCeil(key.top()) + 1);
    guide::GuideState litQ, greyQ, state;
    litQ.lit << 38;
    greyQ.pressed = 38;
    for (const guide::GuideState &before : {litQ, greyQ}) {
        picture.showState(before);
        picture.grab();
    }
    if (lit)
        state.lit << lit;
    state.pressed = pressed;
    state.missed = missed;
    picture.showState(state);
    const QImage image = picture.grab().toImage();
    QCOMPARE(image.pixelColor(middle), face);
    const QColor border = image.pixelColor(edge);
    QCOMPARE(border.red() > 2 * border.green() && border.red() > 2 * border.blue(), missed == 38);
}

void TestGuideBand::optionIsKeptAcrossARestart()
{
    TMainForm *frame = forms().MainForm;
    QAction *item = frame->action(QStringLiteral("Guide1"));
    QVERIFY(item->isCheckable());
    QVERIFY(item->isChecked());
    QCOMPARE(item->statusTip(), QStringLiteral("Afficher ou masquer le guide du clavier"));
    QTRY_VERIFY(band() && band()->isVisible());
    const QSize withBand = frame->mdiArea->size();
    item->trigger();
    QVERIFY(!band()->isVisible());
    QTRY_VERIFY(frame->mdiArea->height() > withBand.height());

    test::stopProgram();
    test::startProgram();
    frame = forms().MainForm;
    item = frame->action(QStringLiteral("Guide1"));
    QVERIFY(!item->isChecked());
    QTest::qWait(0);
    QVERIFY(!band() || !band()->isVisible());
    item->trigger();
    QTRY_VERIFY(band() && band()->isVisible());

    test::stopProgram();
    test::startProgram();
    QVERIFY(forms().MainForm->action(QStringLiteral("Guide1"))->isChecked());
}

// Two learners: the guide hidden by one stays shown for the other, and the
// lesson in progress is recorded for the one who typed it.
void TestGuideBand::optionIsEachLearners()
{
    test::stopProgram();
    QTemporaryDir data;
    const QString path = data.filePath(QStringLiteral("progression.sqlite"));
    qint64 first = 0, tom = 0;
    {
        progress::Journal file(path);
        progress::SessionRecord last;
        last.start = QDateTime(QDate(2025, 3, 1), QTime(10, 0));
        last.end = last.start.addSecs(60);
        last.module = last.lesson = 2;
        last.good = 10;
        QVERIFY(file.record(last));
        first = file.currentLearner();
        tom = file.addLearner(QStringLiteral("Tom"), 0);
    }
    progress::useJournal(path);
    test::startProgram();
    TMainForm *frame = forms().MainForm;
    QTRY_VERIFY(band() && band()->isVisible());
    frame->action(QStringLiteral("Guide1"))->trigger(); // hidden, for the first learner
    QVERIFY(!band()->isVisible());
    frame->action(QStringLiteral("N1gh1"))->trigger();
    QTest::keyClick(forms().Exos->Edit2(), Qt::Key_D);
    frame->changeLearner(tom);
    QVERIFY(frame->action(QStringLiteral("Guide1"))->isChecked());
    QTRY_VERIFY(band()->isVisible());
    QCOMPARE(frame->windowTitle(), QStringLiteral("Tapivox — Tom"));
    QTest::keyClick(forms().Exos->Edit2(), Qt::Key_G);
    frame->changeLearner(first);
    QVERIFY(!frame->action(QStringLiteral("Guide1"))->isChecked());
    QVERIFY(!band()->isVisible());
    QCOMPARE(progress::journal()->sessions(2).size(), 2); // the lesson 2 of before, the « d »
    QVERIFY(progress::journal()->setCurrentLearner(tom));
    QCOMPARE(progress::journal()->sessions(2).size(), 1); // Tom's « g »
    frame->action(QStringLiteral("Guide1"))->trigger();   // shown again for the tests after this one
    progress::useJournal(QString());
}

void TestGuideBand::startOffersWhatTheJournalSays_data()
{
    QTest::addColumn<QString>("journal"); // off, none yet, damaged, or the last session's exercise
    QTest::addColumn<QString>("button");  // the offer's button taken; empty: no offer
    QTest::addColumn<QString>("how");     // a click, Entrée, or a key for the lesson first
    QTest::addColumn<int>("module");      // the lesson in front then, and its code
    QTest::addColumn<int>("code");
    QTest::newRow("off") << "off"
                         << ""
                         << "" << 1 << 0;
    QTest::newRow("damaged") << "damaged"
                             << ""
                             << "" << 1 << 0;
    QTest::newRow("first run: exercise 1") << "none"
                                           << "GuideCommencer"
                                           << "click" << 2 << 1;
    QTest::newRow("first run: discovery") << "none"
                                          << "GuideDecouvrir"
                                          << "click" << 1 << 0;
    // « Je sais déjà taper » : the French characters first.
    QTest::newRow("first run: can type") << "can type"
                                         << "GuideCommencer"
                                         << "click" << 2 << 19;
    QTest::newRow("resume: click") << "2"
                                   << "GuideReprendre"
                                   << "click" << 2 << 2;
    QTest::newRow("resume: Entrée") << "2"
                                    << "GuideReprendre"
                                    << "Entrée" << 2 << 2;
    QTest::newRow("resume: F first") << "2"
                                     << "GuideReprendre"
                                     << "F" << 2 << 2;
    // Two learners: « Qui apprend ? » first, Tom (last to learn) at its top;
    // the other one chosen, their own last session is offered, not Tom's.
    QTest::newRow("resume: two learners") << "2+4"
                                          << "GuideReprendre"
                                          << "click" << 2 << 2;
    // A file's name that reads as markup; the choice of a text is not answered.
    QTest::newRow("resume an own text named <img>") << "own"
                                                    << "GuideReprendre"
                                                    << "click" << 1 << 0;
}

void TestGuideBand::startOffersWhatTheJournalSays()
{
    QFETCH(QString, journal);
    QFETCH(QString, button);
    QFETCH(QString, how);
    QFETCH(int, module);
    QFETCH(int, code);
    test::stopProgram();
    QTemporaryDir data;
    const QString path = data.filePath(QStringLiteral("progression.sqlite"));
    if (journal == QLatin1String("can type")) {
        progress::Journal file(path);
        QVERIFY(file.setLearnerLevel(file.currentLearner(), progress::Learner::kCanType));
    }
    if (QFile file(path); journal == QLatin1String("damaged"))
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("pas un historique") > 0);
    if (journal.startsWith(QLatin1Char('2')) || journal == QLatin1String("own")) {
        progress::Journal file(path);
        progress::SessionRecord last;
        last.end = QDateTime(QDate(2025, 3, 1), QTime(10, 0));
        last.start = last.end.addSecs(-300);
        last.module = last.lesson = 2;
        if (journal == QLatin1String("own")) {
            last.module = 4;
            last.lesson = 8;
            last.title =
                QStringLiteral("<img src=\"%1\"> & co.txt").arg(data.filePath(QStringLiteral("tube")));
        }
        last.good = 96;
        last.errors = 4;
        QVERIFY(file.record(last));
        if (journal == QLatin1String("2+4")) { // Tom's, Tom learnt last
            QVERIFY(file.setCurrentLearner(file.addLearner(QStringLiteral("Tom"), 0)));
            last.lesson = 4;
            QVERIFY(file.record(last));
        }
    }
    progress::useJournal(journal == QLatin1String("off") ? QString() : path);
    QStringList asked;
    m_prompter->fake().onModal = [&asked](QDialog *dialog) {
        auto *who = qobject_cast<QuiApprend *>(dialog);
        if (!who)
            return 0;
        for (int i = 0; i < who->ListeNoms->count(); ++i)
            asked << who->ListeNoms->item(i)->text();
        who->ListeNoms->setCurrentRow(1);
        return int(QDialog::Accepted);
    };
    test::startProgram();
    TMainForm *frame = forms().MainForm;
    QTRY_VERIFY(frame->guideWelcome());
    QTest::qWait(0); // the journal is read after the band is built
    const bool two = journal == QLatin1String("2+4");
    QCOMPARE(asked,
             two ? QStringList({QStringLiteral("Tom"), progress::Journal::accountName()}) : QStringList());
    QCOMPARE(frame->windowTitle(), two ? QStringLiteral("Tapivox — ") + progress::Journal::accountName()
                                       : QStringLiteral("Tapivox"));
    guide::GuideWelcome *welcome = frame->guideWelcome();
    QCOMPARE(welcome->isVisible(), !button.isEmpty());
    const bool first = journal == QLatin1String("none") || journal == QLatin1String("can type");
    QCOMPARE(welcome->commencer()->isVisible() && welcome->decouvrir()->isVisible(), first);
    QCOMPARE(welcome->reprendre()->isVisible(), button == QLatin1String("GuideReprendre"));
    if (journal.startsWith(QLatin1Char('2')))
        QCOMPARE(
            welcome->reprendre()->text(),
            u"&Reprendre\u00a0: Exercice 2, Touches a p — dernière séance le 1er mars 2025, 96\u00a0%"_qs);
    if (welcome->reprendre()->isVisible()) {
        QCOMPARE(QApplication::focusWidget(), welcome->reprendre());
        // The button and its tooltip, as Qt renders them, read as the offer.
        const QString tip = welcome->reprendre()->toolTip();
        QTextDocument shown;
        Qt::mightBeRichText(tip) ? shown.setHtml(tip) : shown.setPlainText(tip);
        QCOMPARE(shown.toRawText(), ui::captionText(welcome->reprendre()->text()));
        QCOMPARE(shown.toRawText().contains(QStringLiteral("\"> & co.txt — ")),
                 journal == QLatin1String("own"));
    }
    if (how == QLatin1String("F")) { // typed in the keyboard window; the offer stays
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F);
        QCOMPARE(band()->consigne()->text(), QStringLiteral("Touche F\u00a0: index gauche"));
        QVERIFY(forms().Clavier->isAncestorOf(QApplication::focusWidget()) && welcome->isVisible());
    }
    if (how == QLatin1String("Entrée"))
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else if (!button.isEmpty())
        QTest::mouseClick(welcome->findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(frame->activeLesson()->moduleCode(), module);
    QCOMPARE(frame->activeLesson()->GetIni(), code);
    QVERIFY(module == 1 || !welcome->isVisible());
    progress::useJournal(QString());
}

// Exercise 1 typed to its end: the result, the advice and the default button
// in the band; Entrée goes on, another key goes back to the lesson.
void TestGuideBand::lessonEndLeadsOn_data()
{
    QTest::addColumn<int>("wrongKeys"); // typed before the lines
    QTest::addColumn<int>("key");       // pressed on the button that has the focus
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QString>("advice");
    QTest::addColumn<int>("code"); // of the exercise in front afterwards
    QTest::newRow("Entrée goes on") << 0 << int(Qt::Key_Return) << "GuideSuivant"
                                    << "Bravo, exercice réussi\u00a0: passez à l'exercice 2" << 2;
    // The stray key is judged, the result stays, and Alt+N still goes on.
    QTest::newRow("another key is judged") << 0 << int(Qt::Key_X) << "GuideSuivant"
                                           << "Bravo, exercice réussi\u00a0: passez à l'exercice 2" << 2;
    QTest::newRow("objective missed") << 12 << int(Qt::Key_Return) << "GuideRecommencer"
                                      << "Encore un essai\u00a0: visez 95\u00a0% de précision" << 1;
    // The session just ended counts towards the class's assignment.
    QTest::newRow("a class's assignment") << 0 << int(Qt::Key_Return) << "GuideSuivant"
                                          << "passez à l'exercice 2\nConsigne de la classe\u00a0: encore "
                                             "l'exercice 2, à 95\u00a0%"
                                          << 2;
}

void TestGuideBand::lessonEndLeadsOn()
{
    QFETCH(int, wrongKeys);
    QFETCH(int, key);
    QFETCH(QString, focused);
    QFETCH(QString, advice);
    QFETCH(int, code);
    TMainForm *frame = forms().MainForm;
    QTRY_VERIFY(band() && band()->isVisible());
    if (advice.contains(QStringLiteral("Consigne")))
        frame->setClassAssignments({{0, 0, "2", "1", "2", 95, 0, {}}});
    frame->action(QStringLiteral("N1gh1"))->trigger();
    TExos *exos = forms().Exos;
    auto *result = band()->findChild<QLabel *>(QStringLiteral("GuideResultat"));
    auto *figures = band()->findChild<QLabel *>(QStringLiteral("GuideVitesse"));
    QVERIFY(result && figures);
    QVERIFY(!figures->isVisible());
    for (int i = 0; i < wrongKeys; ++i)
        QTest::keyClick(exos->Edit2(), Qt::Key_Z);
    for (int line = 0; line < drills::LineDrill::LineCount; ++line)
        QTest::keyClicks(exos->typingLine(line), exos->modelLine(line)->text());
    QVERIFY(figures->isVisible());
    QTRY_VERIFY(result->isVisible());
    QVERIFY2(result->text().endsWith(advice), qPrintable(result->text()));
    auto *next = band()->findChild<QPushButton *>(QStringLiteral("GuideSuivant"));
    QVERIFY(next->isVisible());
    QCOMPARE(next->text(), QStringLiteral("Exercice suiva&nt"));
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    const std::int32_t judged = exos->good() + exos->errors();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    if (key == Qt::Key_X) { // judged past the end of the line, as without the band
        QCOMPARE(exos->good() + exos->errors(), judged + 1);
        QCOMPARE(QApplication::focusWidget(), exos->Edit6());
        QVERIFY(result->isVisible() && next->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
    }
    QTRY_COMPARE(exos->GetIni(), code); // a mnemonic clicks the button after showing it pressed
    QVERIFY(!result->isVisible());
    QVERIFY(!next->isVisible());
    if (key != Qt::Key_X) {
        QCOMPARE(QApplication::focusWidget(), exos->Edit2());
        QVERIFY(frame->action(code == 2 ? QStringLiteral("N2ap1") : QStringLiteral("N1gh1"))->isChecked());
        QVERIFY(!figures->isVisible()); // until the first key of the new lesson
    }
}

// A page of phrases typed to its end turns by itself: the result shows beside
// the next page, and the caret stays in its first line for the keys to come.
void TestGuideBand::pageOfPhrasesKeepsTheCaret()
{
    const auto type = [](QWidget *w, const QString &text) {
        for (QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    };
    QTRY_VERIFY(band() && band()->isVisible());
    forms().MainForm->action(QStringLiteral("Maximes1"))->trigger();
    TPhrases *phrases = forms().Phrases;
    const QString first = phrases->Edit1()->text();
    for (int line = 0; line < drills::LineDrill::LineCount; ++line)
        type(phrases->typingLine(line), phrases->modelLine(line)->text());
    auto *result = band()->findChild<QLabel *>(QStringLiteral("GuideResultat"));
    QTRY_VERIFY(result->isVisible());
    QVERIFY(phrases->Edit1()->text() != first);
    QCOMPARE(QApplication::focusWidget(), phrases->Edit2());
    type(QApplication::focusWidget(), phrases->Edit1()->text().left(1));
    QCOMPARE(phrases->Edit2()->text(), phrases->Edit1()->text().left(1));
    QVERIFY(!result->isVisible()); // the lesson goes on
}

// A refused key tints the typing line for a moment, only with the guide shown;
// the counts stay the Part's.
void TestGuideBand::refusedKeyFlashesTheLine_data()
{
    QTest::addColumn<bool>("guided");
    QTest::newRow("guide shown") << true;
    QTest::newRow("guide off") << false;
}

void TestGuideBand::refusedKeyFlashesTheLine()
{
    QFETCH(bool, guided);
    TMainForm *frame = forms().MainForm;
    QTRY_VERIFY(band() && band()->isVisible());
    if (!guided)
        frame->action(QStringLiteral("Guide1"))->trigger();
    frame->action(QStringLiteral("N1gh1"))->trigger();
    TExos *exos = forms().Exos;
    QTRY_COMPARE(QApplication::focusWidget(), exos->Edit2());
    const QColor base = exos->Edit2()->palette().color(QPalette::Base);
    QTest::keyClick(exos->Edit2(), Qt::Key_G);
    QTest::keyClick(exos->Edit2(), Qt::Key_Z);
    QCOMPARE(exos->good(), 1);
    QCOMPARE(exos->errors(), 1);
    QCOMPARE(exos->Edit2()->palette().color(QPalette::Base) != base, guided);
    QTRY_COMPARE(exos->Edit2()->palette().color(QPalette::Base), base);
    QCOMPARE(band()->findChild<QLabel *>(QStringLiteral("GuideVitesse"))->isVisible(), guided);
    if (!guided)
        frame->action(QStringLiteral("Guide1"))->trigger(); // kept for the next runs
}

// Options › Contraste élevé: every text of the band, and every keycap, at
// 7:1 or more on its background; a key pressed by mistake struck through.
void TestGuideBand::highContrastTextsReachSevenToOne()
{
    using ui::colour::contrastRatio;
    using ui::colour::Srgb;
    const auto srgb = [](const QColor &c) { return Srgb{c.red(), c.green(), c.blue()}; };
    TMainForm *frame = forms().MainForm;
    QAction *item = frame->action(QStringLiteral("Contrasteeleve1"));
    QVERIFY(item && item->isCheckable());
    QVERIFY(!item->isChecked());
    QTRY_VERIFY(band() && band()->isVisible());
    QVERIFY(!band()->testAttribute(Qt::WA_SetPalette)); // off: the desktop's palette, untouched
    item->trigger();
    test::stopProgram();
    test::startProgram();
    frame = forms().MainForm;
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QVERIFY(frame->action(QStringLiteral("Contrasteeleve1"))->isChecked());
    QTRY_VERIFY(band() && band()->isVisible());
    QVERIFY(band()->highContrast() && band()->picture()->highContrast());
    frame->action(QStringLiteral("N1gh1"))->trigger();
    QLineEdit *line = forms().Exos->Edit2();
    QTRY_COMPARE(QApplication::focusWidget(), line);
    QTest::keyClick(line, Qt::Key_Z); // refused: the line flashes, struck through; the live figures show
    QVERIFY(line->font().strikeOut());
    QTRY_VERIFY(!line->font().strikeOut());
    // A desktop theme of grey text on light grey (4:1), which the band
    // follows unless asked for high contrast.
    QWidget *around = band()->parentWidget();
    QVERIFY(!around->testAttribute(Qt::WA_SetPalette));
    QPalette dim = around->palette();
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dim.setColor(role, QColor(0x80, 0x80, 0x80));
    around->setPalette(dim);
    const auto worstText = [&] {
        double worst = 21;
        int texts = 0;
        for (QWidget *w : band()->findChildren<QWidget *>()) {
            if (!w->isVisible() || (!qobject_cast<QLabel *>(w) && !qobject_cast<QAbstractButton *>(w)))
                continue;
            ++texts;
            worst = qMin(worst, contrastRatio(srgb(w->palette().color(w->foregroundRole())),
                                              srgb(w->palette().color(w->backgroundRole()))));
        }
        return texts >= 2 ? worst : 0.0;
    };
    QVERIFY2(worstText() >= 7, qPrintable(QString::number(worstText())));
    frame->action(QStringLiteral("Contrasteeleve1"))->trigger();
    QVERIFY(!band()->highContrast());
    QVERIFY(!band()->testAttribute(Qt::WA_SetPalette));
    QVERIFY(worstText() < 7 && worstText() > 0);
    around->setPalette(QPalette());

    for (keyboard::Finger finger : guide::fingersOfLeftHand()) {
        const guide::FingerLook look = guide::fingerLook(finger, true);
        QVERIFY2(contrastRatio(look.ink, look.lit) >= 7, qPrintable(QString::number(look.number)));
        QVERIFY2(contrastRatio(Srgb::fromHex(0), look.zone) >= 7, qPrintable(QString::number(look.number)));
    }
    QVERIFY(contrastRatio(Srgb::fromHex(0), Srgb::fromHex(0x9A9A9A)) >= 7); // a key pressed by mistake

    guide::KeyboardPicture picture;
    picture.setModel(nullptr);
    picture.resize(520, 200);
    picture.setHighContrast(true);
    picture.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picture));
    guide::GuideState state;
    state.pressed = 38;
    picture.showState(state);
    const QColor middle = picture.grab().toImage().pixelColor(picture.keyRect(38).center().toPoint());
    QVERIFY2(middle.lightness() < 0x40, qPrintable(middle.name())); // the stroke, not the grey
}

QTEST_MAIN(TestGuideBand)
#include "tst_guide_band.moc"
