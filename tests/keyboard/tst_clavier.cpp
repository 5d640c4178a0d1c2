// The keyboard window: its picture, key routing in discovery and drill
// modes, lock lights, SetIni codes and its place in the frame.
#include "app/forms.h"
#include "app/tmainform.h"
#include "keyboard/keybutton.h"
#include "keyboard/keydescriptions.h"
#include "keyboard/keytable.h"
#include "keyboard/tclavier.h"
#include "keymodel/keymodel.h"
#include "support/testsupport.h"
#include "ui/accessibility.h"
#include "ui/clicklabel.h"
#include "ui/lockstate.h"

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTimer>
#include <QtTest>

namespace {

// One event of a key sequence.
struct Step
{
    enum Kind { Down, Up, Repeat, RepeatUp, Commit } kind;
    int key = 0;
    QString text;
    Qt::KeyboardModifiers mods = {};
};

Step down(int key, const QString &text = {}, Qt::KeyboardModifiers mods = {})
{
    return {Step::Down, key, text, mods};
}
Step up(int key, Qt::KeyboardModifiers mods = {})
{
    return {Step::Up, key, {}, mods};
}
Step commit(const QString &text)
{
    return {Step::Commit, 0, text, {}};
}

void send(QWidget *w, const Step &s)
{
    if (s.kind == Step::Commit) {
        QInputMethodEvent e;
        e.setCommitString(s.text);
        QApplication::sendEvent(w, &e);
        return;
    }
    const bool press = s.kind == Step::Down || s.kind == Step::Repeat;
    const bool repeat = s.kind == Step::Repeat || s.kind == Step::RepeatUp;
    QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, s.key, s.mods, s.text, repeat);
    QApplication::sendEvent(w, &e);
}

void play(QWidget *w, const QList<Step> &steps)
{
    for (const Step &s : steps)
        send(w, s);
}

// The key that gives each drill code.
int qtKeyOf(int vk)
{
    static const QHash<int, int> keys{
        {9, Qt::Key_Tab},       {16, Qt::Key_Shift},      {17, Qt::Key_Control}, {18, Qt::Key_Alt},
        {19, Qt::Key_Pause},    {20, Qt::Key_CapsLock},   {33, Qt::Key_PageUp},  {34, Qt::Key_PageDown},
        {35, Qt::Key_End},      {36, Qt::Key_Home},       {37, Qt::Key_Left},    {38, Qt::Key_Up},
        {39, Qt::Key_Right},    {40, Qt::Key_Down},       {44, Qt::Key_Print},   {45, Qt::Key_Insert},
        {46, Qt::Key_Delete},   {91, Qt::Key_Super_L},    {92, Qt::Key_Super_R}, {93, Qt::Key_Menu},
        {144, Qt::Key_NumLock}, {145, Qt::Key_ScrollLock}};
    if (vk >= 112 && vk <= 123)
        return Qt::Key_F1 + (vk - 112);
    return keys.value(vk, 0);
}

void tap(QWidget *w, int qtKey, const QString &text = {})
{
    send(w, down(qtKey, text));
    send(w, up(qtKey));
}

QString special(int vk)
{
    return keyboard::specialKeyDescription(vk);
}

QString character(int code)
{
    return keyboard::characterDescription(quint8(code));
}

// Draws until the drill asks for vk.
bool askFor(TClavier &w, int vk)
{
    for (int n = 0; n < 5000 && w.drill().target() != vk; ++n)
        w.Tirage1();
    return w.drill().target() == vk;
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestClavier : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void windowAtCreation();
    void everyKeyButtonMatchesTheTable();
    void keysFollowTheKeymap_data();
    void keysFollowTheKeymap();
    void aKeyOfAnotherLayoutIsNamed_data();
    void aKeyOfAnotherLayoutIsNamed();
    void clickingAKeyDoesNothing();
    void resizeIsUndone();

    void discovery_data();
    void discovery();
    void tabIsTakenBeforeFocusNavigation();
    void keyUpReportsTheKeyDownCode();
    void lockLights_data();
    void lockLights();
    void capsLockLightOffWhileHeld();

    void setIniOneStartsTheDrill();
    void drillCountsRightAndWrongAnswers();
    void everyDrillKeyIsAnsweredByItsKey();
    void shiftTabGivesTwoAnswers();
    void heldKeyIsJudgedOnEverySecondEvent();
    void drillIgnoresCharacters();
    void setIniTwoDescribesAsDiscovery();
    void setIniZeroKeepsTheGoodCount();
    void discoveryNeverJudges();
    void chronometerStartsAtZeroZero();

    void startUpInTheFrame();

private:
    ui::FakeLockState *m_locks = nullptr;
};

void TestClavier::init()
{
    auto locks = std::make_unique<ui::FakeLockState>();
    m_locks = locks.get();
    ui::setLockState(std::move(locks));
}

void TestClavier::cleanup()
{
    ui::setLockState(nullptr);
    m_locks = nullptr;
}

void TestClavier::windowAtCreation()
{
    TClavier w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Clavier"));
    QCOMPARE(w.Label1->text(), QString::fromUtf8("Découverte du clavier. Appuyez sur une touche"));
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.StaticText2->text(), QStringLiteral("0:0"));
    QVERIFY(w.Timer1->isActive());
    const Qt::WindowFlags flags = w.subWindowFlags();
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
    for (keyboard::KeyButton *light : {w.SpeedButton105, w.SpeedButton106, w.SpeedButton107})
        QVERIFY(!light->isEnabled());
}

void TestClavier::everyKeyButtonMatchesTheTable()
{
    TClavier w;
    const auto keys = keyboard::keyPictures();
    QCOMPARE(keys.size(), std::size_t(108));
    QCOMPARE(w.Panel1->findChildren<keyboard::KeyButton *>().size(), 108);
    QSet<QString> names;
    for (const keyboard::KeyPicture &key : keys) {
        const QString name = QLatin1String(key.name);
        names.insert(name);
        auto *button = w.findChild<keyboard::KeyButton *>(name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(button->parentWidget(), w.Panel1);
        QCOMPARE(button->geometry(), QRect(key.left, key.top, key.width, key.height));
        QCOMPARE(button->text(), keyboard::shownCaption(key));
        QVERIFY(!button->isCheckable());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        const int pixels = key.font == keyboard::KeyFont::Arial10    ? 10
                           : key.font == keyboard::KeyFont::Symbol17 ? 17
                                                                     : 13;
        QCOMPARE(button->font().pixelSize(), pixels);
        QCOMPARE(w.speedButton(name.mid(11).toInt()), button);
        // Nothing of the picture overlaps another key or leaves the panel.
        QVERIFY(w.Panel1->rect().contains(button->geometry()));
        for (const keyboard::KeyPicture &other : keys)
            if (&other != &key)
                QVERIFY2(!QRect(key.left, key.top, key.width, key.height)
                              .intersects(QRect(other.left, other.top, other.width, other.height)),
                         key.name);
    }
    QCOMPARE(names.size(), 108);
    for (int n = 1; n <= 108; ++n)
        QVERIFY2(names.contains(QStringLiteral("SpeedButton%1").arg(n)), qPrintable(QString::number(n)));
    // A few keys as drawn on the keyboard.
    QCOMPARE(w.SpeedButton85->geometry(), QRect(408, 76, 25, 52));
    QCOMPARE(w.speedButton(103)->geometry(), QRect(618, 76, 25, 54));
    QCOMPARE(w.speedButton(68)->geometry(), QRect(110, 160, 197, 25));
    QCOMPARE(w.speedButton(102)->text(), QStringLiteral("0"));
    QCOMPARE(w.speedButton(82)->text(), QString::fromUtf8("¨¨"));
    QCOMPARE(w.speedButton(39)->text(), QStringLiteral("Caps Lock"));
    QCOMPARE(w.speedButton(39)->captionMargin(), 0);
    QCOMPARE(w.speedButton(88)->captionMargin(), 0);
    QCOMPARE(w.speedButton(38)->text(), QString::fromUtf8("\u2192"));
    QCOMPARE(w.speedButton(48)->text(), QString::fromUtf8("\u21E7"));
    QCOMPARE(w.speedButton(108)->text(), QString::fromUtf8("\u2630"));
    QCOMPARE(w.speedButton(49)->font().family(), QStringLiteral("Arial"));
}

// The French picture on the French layout; a key that another layout types
// otherwise shows and says what it types there, and a window already open
// follows a change of layout.
void TestClavier::keysFollowTheKeymap_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("fr digit") << "fr" << 28 << "1"
                              << "Touche & 1";
    QTest::newRow("fr dead keys") << "fr" << 82 << "¨¨"
                                  << "Touche accent circonflexe et tréma";
    QTest::newRow("fr * µ") << "fr" << 47 << "%"
                            << "Touche * µ";
    QTest::newRow("fr ²") << "fr" << 27 << "²"
                          << "Touche ²";
    QTest::newRow("fr Shift") << "fr" << 41 << "\u21E7"
                              << "Touche Majuscule gauche";
    QTest::newRow("fr right Ctrl") << "fr" << 87 << "Ctrl"
                                   << "Touche Ctrl droite";
    QTest::newRow("fr space") << "fr" << 68 << ""
                              << "Touche Espace";
    QTest::newRow("fr keypad") << "fr" << 92 << "7"
                               << "Touche 7 du pavé numérique";
    QTest::newRow("fr F12") << "fr" << 61 << "F12"
                            << "Touche F12";
    QTest::newRow("be same digit key") << "be" << 28 << "1"
                                       << "Touche & 1";
    QTest::newRow("be § 6") << "be" << 33 << "6§"
                            << "Touche § 6";
    QTest::newRow("be µ £") << "be" << 47 << "£µ"
                            << "Touche µ £";
    QTest::newRow("be Shift") << "be" << 41 << "\u21E7"
                              << "Touche Majuscule gauche";
    QTest::newRow("bepo B") << "fr(bepo)" << 1 << "B"
                            << "Touche B";
    QTest::newRow("bepo A") << "fr(bepo)" << 11 << "A"
                            << "Touche A";
    QTest::newRow("bepo \" 1") << "fr(bepo)" << 28 << "1\""
                               << "Touche \" 1";
}

void TestClavier::keysFollowTheKeymap()
{
    QFETCH(QString, layout);
    QFETCH(int, button);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    keyboard::LiveKeyModel &live = keyboard::LiveKeyModel::instance();
    live.useLayout(QStringLiteral("fr"));
    auto restore = qScopeGuard([&live] { live.useLayout(QStringLiteral("fr")); });
    TClavier w;
    ui::applyAccessibleTexts(&w, ui::accessibleTexts());
    live.useLayout(layout);
    QCOMPARE(w.speedButton(button)->text(), caption);
    QCOMPARE(w.speedButton(button)->accessibleName(), name);
    QCOMPARE(w.speedButton(button)->accessibleDescription(), QString::fromUtf8("Touche du clavier dessiné"));
}

// The texts of the typed characters are the French keys'; another layout's
// key is named as its keymap names it.
void TestClavier::aKeyOfAnotherLayoutIsNamed_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("keycode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("fr -") << "fr" << 15 << "-"
                          << "Touche -  (#45)";
    QTest::newRow("be §") << "be" << 15 << "§"
                          << "Touche § 6\u00a0: § (#167)";
    QTest::newRow("be same key") << "be" << 10 << "&"
                                 << "Touche &  (#38)";
    QTest::newRow("bepo b") << "fr(bepo)" << 24 << "b"
                            << "Touche B\u00a0: b (#98)";
}

void TestClavier::aKeyOfAnotherLayoutIsNamed()
{
    QFETCH(QString, layout);
    QFETCH(int, keycode);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    keyboard::LiveKeyModel &live = keyboard::LiveKeyModel::instance();
    live.useLayout(layout);
    auto restore = qScopeGuard([&live] { live.useLayout(QStringLiteral("fr")); });
    TClavier w;
    w.SetIni(0);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, {}, quint32(keycode), 0, 0, text);
    QApplication::sendEvent(&w, &press);
    QCOMPARE(w.Label2->text(), shown);
}

void TestClavier::clickingAKeyDoesNothing()
{
    TClavier w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.FormKeyPress('a');
    const bool parity = w.parityFlag();
    for (int n : {1, 38, 68, 85, 106}) {
        keyboard::KeyButton *button = w.speedButton(n);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isDown());
    }
    QCOMPARE(w.Label2->text(), character('a'));
    QCOMPARE(w.Label1->text(), QString::fromUtf8("Découverte du clavier. Appuyez sur une touche"));
    QCOMPARE(w.parityFlag(), parity);
}

void TestClavier::resizeIsUndone()
{
    TClavier w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(800, 600);
    QTRY_COMPARE(w.size(), QSize(668, 375));
    w.resize(300, 200);
    QTRY_COMPARE(w.size(), QSize(668, 375));
}

void TestClavier::discovery_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QString>("shown");
    const auto shift = Qt::ShiftModifier;
    const auto ctrl = Qt::ControlModifier;
    const auto keypad = Qt::KeypadModifier;

    QTest::newRow("a") << QList<Step>{down(Qt::Key_A, "a"), up(Qt::Key_A)} << character(97);
    QTest::newRow("A with Shift held")
        << QList<Step>{down(Qt::Key_Shift), down(Qt::Key_A, "A", shift), up(Qt::Key_A, shift)}
        << QStringLiteral("Touche A  (#65)");
    QTest::newRow("A then Shift released") << QList<Step>{down(Qt::Key_Shift), down(Qt::Key_A, "A", shift),
                                                          up(Qt::Key_A, shift), up(Qt::Key_Shift)}
                                           << special(16);
    QTest::newRow("space") << QList<Step>{down(Qt::Key_Space, " "), up(Qt::Key_Space)}
                           << QStringLiteral("Touche Espace  (#32)");
    QTest::newRow("Tab down") << QList<Step>{down(Qt::Key_Tab, "\t")} << character(9);
    QTest::newRow("Tab") << QList<Step>{down(Qt::Key_Tab, "\t"), up(Qt::Key_Tab)} << special(9);
    QTest::newRow("Shift+Tab") << QList<Step>{down(Qt::Key_Shift), down(Qt::Key_Backtab, "\t", shift),
                                              up(Qt::Key_Backtab, shift), up(Qt::Key_Shift)}
                               << special(16);
    QTest::newRow("Enter") << QList<Step>{down(Qt::Key_Return, "\r"), up(Qt::Key_Return)}
                           << QString::fromUtf8("Touche Entrée  (#13). Force le passage à la ligne suivante");
    QTest::newRow("Escape") << QList<Step>{down(Qt::Key_Escape, "\x1b"), up(Qt::Key_Escape)} << character(27);
    QTest::newRow("Backspace") << QList<Step>{down(Qt::Key_Backspace, "\b"), up(Qt::Key_Backspace)}
                               << QString::fromUtf8(
                                      "Touche Retour Arrière (#8). Efface le caractère précédent");
    QTest::newRow("Ctrl+C") << QList<Step>{down(Qt::Key_Control), down(Qt::Key_C, "\x03", ctrl),
                                           up(Qt::Key_C, ctrl)}
                            << QStringLiteral("Touche #3 (Ctrl C)");
    QTest::newRow("Ctrl+C then Ctrl released")
        << QList<Step>{down(Qt::Key_Control), down(Qt::Key_C, "\x03", ctrl), up(Qt::Key_C, ctrl),
                       up(Qt::Key_Control)}
        << special(17);
    QTest::newRow("keypad 5, Num Lock off")
        << QList<Step>{down(Qt::Key_Clear, {}, keypad), up(Qt::Key_Clear, keypad)}
        << QStringLiteral("Touche Centre");
    QTest::newRow("keypad 8, Num Lock off")
        << QList<Step>{down(Qt::Key_Up, {}, keypad), up(Qt::Key_Up, keypad)} << special(38);
    QTest::newRow("keypad 8, Num Lock on") << QList<Step>{down(Qt::Key_8, "8", keypad), up(Qt::Key_8, keypad)}
                                           << QStringLiteral("Touche 8  (#56)");
    QTest::newRow("F5") << QList<Step>{down(Qt::Key_F5), up(Qt::Key_F5)} << special(116);
    QTest::newRow("letter keys keep the text")
        << QList<Step>{down(Qt::Key_F9), up(Qt::Key_F9), down(Qt::Key_Z)} << special(120);
    QTest::newRow("&") << QList<Step>{down(Qt::Key_1, "&"), up(Qt::Key_1)}
                       << QStringLiteral("Touche &  (#38)");
    QTest::newRow("é") << QList<Step>{down(Qt::Key_2, QString::fromUtf8("é")), up(Qt::Key_2)}
                       << QString::fromUtf8("Touche é  (#233)");
    QTest::newRow("è") << QList<Step>{down(Qt::Key_7, QString::fromUtf8("è")), up(Qt::Key_7)}
                       << QString::fromUtf8("Touche è  (#232)");
    QTest::newRow("ç") << QList<Step>{down(Qt::Key_9, QString::fromUtf8("ç")), up(Qt::Key_9)}
                       << QString::fromUtf8("Touche ç  (#231)");
    QTest::newRow("à") << QList<Step>{down(Qt::Key_0, QString::fromUtf8("à")), up(Qt::Key_0)}
                       << QString::fromUtf8("Touche à  (#224)");
    QTest::newRow("ù") << QList<Step>{down(Qt::Key_Ugrave, QString::fromUtf8("ù")), up(Qt::Key_Ugrave)}
                       << QString::fromUtf8("Touche ù  (#249)");
    QTest::newRow("²") << QList<Step>{down(Qt::Key_twosuperior, QString::fromUtf8("²")),
                                      up(Qt::Key_twosuperior)}
                       << QString::fromUtf8("Touche ²  (#178)");
    QTest::newRow("euro") << QList<Step>{down(Qt::Key_E, QString::fromUtf8("€"), Qt::AltModifier | ctrl),
                                         up(Qt::Key_E)}
                          << QString::fromUtf8("Touche Ç  (#128)");
    QTest::newRow("dead key then e") << QList<Step>{up(Qt::Key_Dead_Circumflex),
                                                    commit(QString::fromUtf8("ê")), up(Qt::Key_E)}
                                     << QStringLiteral("Touche _  (#234)"); // ê's glyph in the table
    QTest::newRow("held key repeats")
        << QList<Step>{down(Qt::Key_Tab, "\t"), {Step::Repeat, Qt::Key_Tab, "\t"}} << character(9);
}

void TestClavier::discovery()
{
    QFETCH(QList<Step>, steps);
    QFETCH(QString, shown);
    TClavier w;
    w.SetIni(0);
    w.FormActivate();
    play(&w, steps);
    QCOMPARE(w.Label2->text(), shown);
}

void TestClavier::tabIsTakenBeforeFocusNavigation()
{
    QWidget frame;
    auto *other = new QLineEdit(&frame);
    auto *w = new TClavier(&frame);
    w->move(0, 40);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    w->setFocus();
    QCOMPARE(frame.focusWidget(), w);
    QTest::keyClick(w, Qt::Key_Tab);
    QCOMPARE(frame.focusWidget(), w);
    QCOMPARE(w->Label2->text(), special(9));
    QTest::keyClick(w, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(frame.focusWidget(), w);
    QCOMPARE(w->Label2->text(), special(16));
    QVERIFY(!other->hasFocus());
}

void TestClavier::keyUpReportsTheKeyDownCode()
{
    TClavier w;
    w.SetIni(1);
    w.FormActivate();
    QVERIFY(askFor(w, 116));
    // Same physical key (scan code 71), whatever Qt calls it on release.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, {}, 71, 0, 0);
    QApplication::sendEvent(&w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F6, {}, 71, 0, 0);
    QApplication::sendEvent(&w, &release);
    QCOMPARE(w.good(), 1);
    QCOMPARE(w.errors(), 0);
}

void TestClavier::lockLights_data()
{
    QTest::addColumn<bool>("num");
    QTest::addColumn<bool>("caps");
    QTest::addColumn<bool>("scroll");
    QTest::newRow("none") << false << false << false;
    QTest::newRow("num") << true << false << false;
    QTest::newRow("caps") << false << true << false;
    QTest::newRow("scroll") << false << false << true;
    QTest::newRow("all") << true << true << true;
}

void TestClavier::lockLights()
{
    QFETCH(bool, num);
    QFETCH(bool, caps);
    QFETCH(bool, scroll);
    m_locks->setOn(ui::vk::NumLock, num);
    m_locks->setOn(ui::vk::Capital, caps);
    m_locks->setOn(ui::vk::Scroll, scroll);
    TClavier w;
    w.FormActivate();
    QCOMPARE(w.SpeedButton105->isEnabled(), num);
    QCOMPARE(w.SpeedButton106->isEnabled(), caps);
    QCOMPARE(w.SpeedButton107->isEnabled(), scroll);
    QVERIFY(w.parityFlag());
    // Any key event refreshes them.
    m_locks->setOn(ui::vk::Capital, !caps);
    tap(&w, Qt::Key_A, "a");
    QCOMPARE(w.SpeedButton106->isEnabled(), !caps);
}

void TestClavier::capsLockLightOffWhileHeld()
{
    m_locks->setOn(ui::vk::Capital, true);
    TClavier w;
    w.FormActivate();
    QVERIFY(w.SpeedButton106->isEnabled());
    send(&w, down(Qt::Key_CapsLock));
    QVERIFY(!w.SpeedButton106->isEnabled());
    QCOMPARE(w.Label2->text(), special(20));
    m_locks->setOn(ui::vk::Capital, false);
    send(&w, up(Qt::Key_CapsLock));
    QVERIFY(!w.SpeedButton106->isEnabled());
    send(&w, down(Qt::Key_CapsLock));
    m_locks->setOn(ui::vk::Capital, true);
    QVERIFY(!w.SpeedButton106->isEnabled());
    send(&w, up(Qt::Key_CapsLock));
    QVERIFY(w.SpeedButton106->isEnabled());
}

void TestClavier::setIniOneStartsTheDrill()
{
    TClavier w;
    w.StaticText1Click();
    w.FormKeyPress('a');
    w.SetIni(1);
    QCOMPARE(w.GetIni(), 1);
    QStringList prompts;
    for (int i = 0; i < keyboard::KeyDrill::kKeyCount; ++i)
        prompts << QStringLiteral("Appuyez sur la touche ") +
                       QString::fromUtf8(keyboard::KeyDrill::key(i).name);
    QVERIFY2(prompts.contains(w.Label1->text()), qPrintable(w.Label1->text()));
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.errors(), 0);
    QVERIFY(!w.Timer1->isActive());
}

void TestClavier::drillCountsRightAndWrongAnswers()
{
    TClavier w;
    w.drill().reseed(42);
    w.SetIni(1);
    w.FormActivate();
    for (int n = 0; n < 4; ++n)
        tap(&w, qtKeyOf(w.drill().target()));
    if (w.drill().target() == ui::vk::Home)
        w.Tirage1();
    tap(&w, Qt::Key_A, "a");
    tap(&w, Qt::Key_Return, "\r");
    QCOMPARE(w.good(), 4);
    QCOMPARE(w.errors(), 2);

    tap(&w, qtKeyOf(w.drill().target()));
    QCOMPARE(w.Label2->text(), QStringLiteral("Bien : 5\r\nNombre d'Erreurs : 2"));
    QCOMPARE(w.Label1->text(), w.drill().prompt());
    const QString prompt = w.Label1->text();
    const int target = w.drill().target();

    tap(&w, target == ui::vk::Home ? Qt::Key_End : Qt::Key_Home);
    QCOMPARE(w.Label2->text(), QStringLiteral("\r\nNombre d'Erreurs : 3"));
    QCOMPARE(w.Label1->text(), prompt);
    QCOMPARE(int(w.drill().target()), target);
}

void TestClavier::everyDrillKeyIsAnsweredByItsKey()
{
    TClavier w;
    w.drill().reseed(7);
    w.SetIni(1);
    w.FormActivate();
    QSet<int> answered;
    for (int n = 0; n < 3000 && answered.size() < keyboard::KeyDrill::kKeyCount; ++n) {
        const int target = w.drill().target();
        const int good = w.good();
        tap(&w, qtKeyOf(target));
        QVERIFY2(w.good() == good + 1, qPrintable(QString::number(target)));
        answered.insert(target);
    }
    QCOMPARE(answered.size(), keyboard::KeyDrill::kKeyCount);
    QCOMPARE(w.errors(), 0);
}

void TestClavier::shiftTabGivesTwoAnswers()
{
    TClavier w;
    w.drill().reseed(5);
    w.SetIni(1);
    w.FormActivate();
    QVERIFY(askFor(w, ui::vk::Tab));
    send(&w, down(Qt::Key_Shift));
    send(&w, down(Qt::Key_Backtab, "\t", Qt::ShiftModifier));
    QCOMPARE(w.good(), 1);
    const bool shiftAsked = w.drill().target() == ui::vk::Shift;
    send(&w, up(Qt::Key_Backtab, Qt::ShiftModifier));
    send(&w, up(Qt::Key_Shift));
    QCOMPARE(w.good(), shiftAsked ? 2 : 1);
    QCOMPARE(w.errors(), shiftAsked ? 0 : 1);
}

void TestClavier::heldKeyIsJudgedOnEverySecondEvent()
{
    for (bool x11Releases : {false, true}) {
        TClavier w;
        w.SetIni(1);
        w.FormActivate();
        QList<Step> steps{down(Qt::Key_A, "a")};
        for (int n = 0; n < 2; ++n) {
            if (x11Releases)
                steps << Step{Step::RepeatUp, Qt::Key_A, {}, {}};
            steps << Step{Step::Repeat, Qt::Key_A, "a"};
        }
        steps << up(Qt::Key_A);
        play(&w, steps);
        // down (no check), repeat (check), repeat (no check), up (check)
        QCOMPARE(w.errors(), 2);
        QVERIFY(w.parityFlag());
    }
}

void TestClavier::drillIgnoresCharacters()
{
    TClavier w;
    w.SetIni(1);
    w.FormActivate();
    play(&w, {commit(QString::fromUtf8("ê")), commit("a")});
    w.FormKeyPress('z');
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.errors(), 0);
}

void TestClavier::setIniTwoDescribesAsDiscovery()
{
    TClavier w;
    w.SetIni(1);
    const QString prompt = w.Label1->text();
    w.FormActivate();
    tap(&w, Qt::Key_A, "a");
    w.StaticText1Click();
    w.SetIni(2);
    QCOMPARE(w.GetIni(), 2);
    QCOMPARE(w.Label1->text(), prompt);
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.errors(), 0);
    QVERIFY(!w.Timer1->isActive());
    tap(&w, Qt::Key_A, "a");
    QCOMPARE(w.Label2->text(), character('a'));
    QCOMPARE(w.errors(), 0);
}

void TestClavier::setIniZeroKeepsTheGoodCount()
{
    test::PrompterScope prompter;
    TClavier w;
    w.SetIni(1);
    w.FormActivate();
    tap(&w, qtKeyOf(w.drill().target()));
    tap(&w, qtKeyOf(w.drill().target()));
    w.FormKeyDown(0);
    w.FormKeyDown(0);
    QCOMPARE(w.good(), 2);
    QCOMPARE(w.errors(), 1);
    w.SetIni(0);
    QCOMPARE(w.Label1->text(), QStringLiteral("Appuyez sur une touche"));
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.errors(), 0);
    QCOMPARE(w.good(), 2);
    // The next drill goes on counting from there.
    w.SetIni(1);
    tap(&w, qtKeyOf(w.drill().target()));
    QCOMPARE(w.Label2->text(), QStringLiteral("Bien : 3\r\nNombre d'Erreurs : 0"));
}

void TestClavier::discoveryNeverJudges()
{
    TClavier w;
    w.SetIni(1);
    w.FormActivate();
    tap(&w, qtKeyOf(w.drill().target()));
    tap(&w, Qt::Key_A, "a");
    w.SetIni(0);
    const int good = w.good();
    const quint16 target = w.drill().target();
    for (int n = 0; n < 6; ++n)
        tap(&w, qtKeyOf(target));
    QCOMPARE(w.good(), good);
    QCOMPARE(w.errors(), 0);
    QCOMPARE(w.drill().target(), target);
}

void TestClavier::chronometerStartsAtZeroZero()
{
    TClavier w;
    w.SetIni(0);
    QVERIFY(!w.Timer1->isActive());
    w.StaticText1Click();
    QVERIFY(w.Timer1->isActive());
    QCOMPARE(w.StaticText2->text(), QStringLiteral("0:0"));
    w.Timer1Timer();
    QCOMPARE(w.StaticText2->text(), QStringLiteral("0:1"));
    w.SetIni(0);
    QVERIFY(!w.Timer1->isActive());
    QCOMPARE(w.StaticText2->text(), QStringLiteral("0:1"));
}

void TestClavier::startUpInTheFrame()
{
    test::TempCwd cwd;
    test::PrompterScope prompter;
    test::startProgram();
    TClavier *w = forms().Clavier;
    QVERIFY(w);
    QCOMPARE(forms().MainForm->activeLesson(), static_cast<LessonWindow *>(w));
    QCOMPARE(w->Label1->text(), QStringLiteral("Appuyez sur une touche"));
    QCOMPARE(w->Label2->text(), QString());
    QCOMPARE(w->StaticText2->text(), QStringLiteral("0:0"));
    QVERIFY(!w->Timer1->isActive());
    QVERIFY(w->parityFlag());
    auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget());
    QVERIFY(sub);
    QCOMPARE(sub->windowTitle(), QStringLiteral("Clavier"));
    QCOMPARE(sub->size(), QSize(668, 375));
    QVERIFY(sub->rect().contains(sub->widget()->geometry()));
    QVERIFY(w->Panel1->geometry().bottom() < w->height());
    // Keys typed in the frame reach the keyboard window.
    forms().MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(w->Label2->text(), special(9));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w));

    forms().MainForm->findChild<QAction *>(QStringLiteral("Touches1"))->trigger();
    QCOMPARE(w->GetIni(), 1);
    QVERIFY(w->Label1->text().startsWith(QStringLiteral("Appuyez sur la touche ")));
    tap(w, qtKeyOf(w->drill().target()));
    QCOMPARE(w->good(), 1);

    // F1 pressed here opens a dialog, Échap closes it: their releases are no
    // answers of the drill.
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, {}, 67, 0, 0);
    QApplication::sendEvent(w, &f1);
    {
        QDialog dialog(forms().MainForm);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::sendKeyEvent(QTest::Press, &dialog, Qt::Key_Escape, QString(), {});
        QVERIFY(dialog.isHidden());
    }
    QKeyEvent escape(QEvent::KeyRelease, Qt::Key_Escape, {}, 9, 0, 0);
    QApplication::sendEvent(w, &escape);
    QCOMPARE(w->errors(), 0);
    forms().MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
    QTRY_VERIFY(w->parityFlag());
    tap(w, qtKeyOf(w->drill().target()));
    QCOMPARE(w->good(), 2);
    QCOMPARE(w->errors(), 0);
    test::stopProgram();
}

QTEST_MAIN(TestClavier)
#include "tst_clavier.moc"
