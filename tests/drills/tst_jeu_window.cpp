// The game window through its widgets: "Jouer", typed and composed keys,
// the score line, a change of game in the middle of play, the frame's menu.
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/tjeu.h"
#include "support/testsupport.h"
#include "ui/clicklabel.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QString kLettersText = QStringLiteral("Détruisez les lettres avant qu'elle n'arrivent en bas");
const QString kWordsText = QStringLiteral("Détruisez les mots avant qu'ils n'arrivent en bas");

void commit(QWidget *w, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(w, &event);
}

// True when some pixel of the area is not the lime background.
bool inkIn(const QImage &image, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != QColor(0x00, 0xFF, 0x00))
                return true;
    return false;
}

} // namespace

class TestJeuWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void createdAsLettersGame();
    void jouerStartsTheGame();
    void typedLetterDestroysIt();
    void composedCharactersArePlayed();
    void gameKeysNeverRestart();
    void switchingGameMidPlay();
    void timeDisplayStaysStill();
    void itemsArePaintedFromState();
    void wordsMenuShowsTheWordsGame();

private:
    std::unique_ptr<TJeu> m_jeu;
};

void TestJeuWindow::init()
{
    m_jeu = std::make_unique<TJeu>();
    m_jeu->logic().setSeedSource([] { return 2026u; });
    m_jeu->resize(668, 375);
    m_jeu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_jeu.get()));
}

void TestJeuWindow::cleanup()
{
    m_jeu.reset();
}

void TestJeuWindow::createdAsLettersGame()
{
    TJeu &w = *m_jeu;
    QCOMPARE(w.windowTitle(), QStringLiteral("Jeu"));
    QCOMPARE(w.findChild<QLabel *>("Label1")->text(), kLettersText);
    QCOMPARE(w.findChild<QLabel *>("Label2")->text(), QString());
    auto *play = w.findChild<QPushButton *>("Button1");
    QCOMPARE(play->text(), QStringLiteral("Jouer"));
    QCOMPARE(play->focusPolicy(), Qt::NoFocus);
    auto *timer2 = w.findChild<QTimer *>("Timer2");
    QCOMPARE(timer2->interval(), 1000);
    QVERIFY(!timer2->isActive());
    QVERIFY(!w.findChild<QTimer *>("Timer1")->isActive());
}

void TestJeuWindow::jouerStartsTheGame()
{
    TJeu &w = *m_jeu;
    w.SetIni(1);
    QTest::mouseClick(w.findChild<QPushButton *>("Button1"), Qt::LeftButton);
    QVERIFY(w.findChild<QTimer *>("Timer2")->isActive());
    QCOMPARE(w.findChild<QLabel *>("Label2")->text(), QStringLiteral("Bon : 0  Erreurs : 0"));
    for (int i = 1; i <= 10; ++i) {
        QCOMPARE(w.logic().drawing(i).x, 50 * i);
        QVERIFY(w.logic().position(i) >= 120 && w.logic().position(i) <= 219);
    }
    QCOMPARE(w.GetIni(), 1);
}

void TestJeuWindow::typedLetterDestroysIt()
{
    TJeu &w = *m_jeu;
    w.SetIni(1);
    w.Button1Click();
    for (int i = 1; i <= 10; ++i)
        w.logic().setItem(i, i % 2 ? QStringLiteral("q") : QStringLiteral("s"));
    auto *score = w.findChild<QLabel *>("Label2");

    QTest::keyClick(&w, Qt::Key_Q, Qt::NoModifier);
    QCOMPARE(score->text(), QStringLiteral("Bon : 5  Erreurs : 0"));
    QTest::sendKeyEvent(QTest::Click, &w, Qt::Key_S, QStringLiteral("S"), Qt::ShiftModifier);
    QCOMPARE(score->text(), QStringLiteral("Bon : 5  Erreurs : 0"));
    QTest::keyClick(&w, Qt::Key_S, Qt::NoModifier);
    QCOMPARE(score->text(), QStringLiteral("Bon : 10  Erreurs : 0"));
    QCOMPARE(w.good(), 10);
}

void TestJeuWindow::composedCharactersArePlayed()
{
    TJeu &w = *m_jeu;
    w.SetIni(2);
    w.Button1Click();
    const QStringList words{QStringLiteral("Déjà"), QStringLiteral("Voilà"), QStringLiteral("Aïe"), "Tour",
                            "Dame"};
    for (int i = 1; i <= 5; ++i)
        w.logic().setItem(i, words.at(i - 1));

    commit(&w, QStringLiteral("à")); // dead key ` then a
    QCOMPARE(w.logic().item(1), QStringLiteral("Déj"));
    QCOMPARE(w.logic().item(2), QStringLiteral("Voil"));
    commit(&w, QStringLiteral("ï")); // dead key ¨ then i
    QCOMPARE(w.logic().item(3), QStringLiteral("Ae"));
    QTest::sendKeyEvent(QTest::Press, &w, Qt::Key_unknown, QStringLiteral("é"), {});
    QCOMPARE(w.logic().item(1), QStringLiteral("Dj"));
    QCOMPARE(w.findChild<QLabel *>("Label2")->text(), QStringLiteral("Bon : 4  Erreurs : 0"));
}

void TestJeuWindow::gameKeysNeverRestart()
{
    TJeu &w = *m_jeu;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.SetIni(1);
    // Clicking "Jouer" leaves the keys with the window, not with the button.
    QTest::mouseClick(w.findChild<QPushButton *>("Button1"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), &w);
    w.Timer2Timer();
    const std::int32_t before = w.logic().position(1);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab})
        QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(QApplication::focusWidget(), &w);
    QCOMPARE(w.logic().position(1), before);
    QCOMPARE(w.findChild<QLabel *>("Label2")->text(), QStringLiteral("Bon : 0  Erreurs : 0"));
}

void TestJeuWindow::switchingGameMidPlay()
{
    TJeu &w = *m_jeu;
    w.SetIni(1);
    w.Button1Click();
    w.Timer2Timer();
    QTest::keyClick(&w, w.logic().item(2).at(0).toLatin1());
    auto *score = w.findChild<QLabel *>("Label2");
    const QString scoreBefore = score->text();
    QVERIFY(scoreBefore != QStringLiteral("Bon : 0  Erreurs : 0"));
    std::array<std::int32_t, 5> positions{};
    for (int i = 1; i <= 5; ++i)
        positions.at(i - 1) = w.logic().position(i);

    w.SetIni(2); // as the "&Mots" menu item does
    QCOMPARE(w.findChild<QLabel *>("Label1")->text(), kWordsText);
    QVERIFY(w.findChild<QTimer *>("Timer2")->isActive());
    QCOMPARE(score->text(), scoreBefore); // until the next step

    w.Timer2Timer();
    QCOMPARE(score->text(), QStringLiteral("Bon : 0  Erreurs : 0"));
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(w.logic().drawing(i),
                 (GameLogic::Drawing{w.logic().item(i), 100 * i, positions.at(i - 1) + 20}));

    w.SetIni(1);
    QCOMPARE(w.findChild<QLabel *>("Label1")->text(), kLettersText);
}

void TestJeuWindow::timeDisplayStaysStill()
{
    TJeu &w = *m_jeu;
    auto *display = w.findChild<ui::ClickLabel *>("StaticText2");
    QCOMPARE(display->text(), QStringLiteral("0:0"));
    QTest::mouseClick(display, Qt::LeftButton);
    w.Button1Click();
    for (int k = 0; k < 5; ++k)
        w.Timer2Timer();
    QCOMPARE(display->text(), QStringLiteral("0:0"));
    QVERIFY(!w.findChild<QTimer *>("Timer1")->isActive());
}

void TestJeuWindow::itemsArePaintedFromState()
{
    TJeu &w = *m_jeu;
    w.SetIni(1);
    w.Button1Click();
    for (int i = 1; i <= 10; ++i)
        w.logic().setItem(i, QString());
    w.logic().setItem(4, QStringLiteral("m"));
    w.logic().setPosition(4, 200);
    w.Timer2Timer(); // drawn at (200, 220)
    const QRect cell(200, 220, 40, 24);

    QVERIFY(inkIn(w.grab().toImage(), cell));
    QTest::keyClick(&w, Qt::Key_M);
    QVERIFY(!inkIn(w.grab().toImage(), cell));
    QVERIFY(!inkIn(w.grab().toImage(), QRect(0, 130, 560, 240)));
}

void TestJeuWindow::wordsMenuShowsTheWordsGame()
{
    m_jeu.reset();
    test::PrompterScope prompter;
    test::TempCwd cwd;
    test::startProgram();
    TJeu *jeu = forms().Jeu;
    QVERIFY(jeu);
    QCOMPARE(jeu->GetIni(), 1);
    jeu->logic().setSeedSource([] { return 9u; });

    auto *words = forms().MainForm->findChild<QAction *>("Mots1");
    QVERIFY(words);
    forms().MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
    words->trigger();
    QApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), jeu);
    QCOMPARE(jeu->GetIni(), 2);
    QCOMPARE(forms().MainForm->activeLesson(), jeu);
    QCOMPARE(jeu->findChild<QLabel *>("Label1")->text(), kWordsText);

    jeu->findChild<QPushButton *>("Button1")->click();
    QCOMPARE(jeu->findChild<QLabel *>("Label2")->text(), QStringLiteral("Bon : 0  Erreurs : 0"));
    const QStringList five{"Tour", "Dame", "Ici", "Tour", "Jeu"};
    for (int i = 1; i <= 5; ++i)
        jeu->logic().setItem(i, five.at(i - 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T); // "t" is not "T"
    QCOMPARE(jeu->logic().item(1), QStringLiteral("Tour"));
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_T, QStringLiteral("T"),
                        Qt::ShiftModifier);
    QCOMPARE(jeu->logic().item(1), QStringLiteral("our"));
    QCOMPARE(jeu->logic().item(4), QStringLiteral("our"));
    QCOMPARE(jeu->findChild<QLabel *>("Label2")->text(), QStringLiteral("Bon : 2  Erreurs : 0"));
    test::stopProgram();
}

QTEST_MAIN(TestJeuWindow)
#include "tst_jeu_window.moc"
