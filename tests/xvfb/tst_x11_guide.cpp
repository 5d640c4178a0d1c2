// The guide under a real X server: on the French layout, while exercise 1 is
// typed through real keys, the sentence names the key of each next
// character; on the Belgian and BÉPO layouts, pressing the keys the guide
// lights types the expected characters; exercise 1 typed to its end leads on.
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/exercisetexts.h"
#include "drills/texos.h"
#include "guide/guideband.h"
#include "guide/guidewelcome.h"
#include "guide/keyboardpicture.h"
#include "keymodel/keymodel.h"
#include "progress/recording.h"
#include "support/testsupport.h"
#include "ui/hooklineedit.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <dlfcn.h>

namespace {

// XTest through dlopen, as the start-up bench does: no header needed.
using FakeKey = int (*)(void *, unsigned int, int, unsigned long);
using Flush = int (*)(void *);

bool pressTogether(const QList<int> &keycodes)
{
    static void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
    static void *x11 = dlopen("libX11.so.6", RTLD_NOW);
    if (!xtst || !x11)
        return false;
    const auto fake = reinterpret_cast<FakeKey>(dlsym(xtst, "XTestFakeKeyEvent"));
    const auto flush = reinterpret_cast<Flush>(dlsym(x11, "XFlush"));
    auto *native = qApp->nativeInterface<QNativeInterface::QX11Application>();
    void *display = native ? static_cast<void *>(native->display()) : nullptr;
    if (!fake || !flush || !display)
        return false;
    for (int keycode : keycodes)
        fake(display, unsigned(keycode), 1, 0);
    for (auto it = keycodes.crbegin(); it != keycodes.crend(); ++it)
        fake(display, unsigned(*it), 0, 0);
    flush(display);
    return true;
}

bool setLayout(const QString &layout, const QString &variant = QString())
{
    QStringList args{layout};
    if (!variant.isEmpty())
        args << QStringLiteral("-variant") << variant;
    return QProcess::execute(QStringLiteral("setxkbmap"), args) == 0;
}

// The layout set again as it is: the server tells of a new keyboard, as it
// does at the first key from another device; handled before returning.
bool setLayoutAgain(const QString &layout, const QString &variant = QString())
{
    if (!setLayout(layout, variant))
        return false;
    QGuiApplication::sync();
    QCoreApplication::processEvents(); // the model is read after the burst
    return true;
}

QList<int> litKeys()
{
    QList<int> keys;
    for (const QVariant &k : forms().MainForm->guideBand()->picture()->property("litKeys").toList())
        keys << k.toInt();
    return keys;
}

} // namespace

class TestX11Guide : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void startOfferAnswersItsLetter();
    void sentenceNamesTheNextKey();
    void discoveryNamesTheFirstKey();
    void guidedKeysTypeTheText_data();
    void guidedKeysTypeTheText();
    void exerciseEndLeadsOn();

private:
    QTemporaryDir m_home;
    bool m_wayland = false;
    std::unique_ptr<test::TempCwd> m_cwd;
};

void TestX11Guide::initTestCase()
{
    // Under Wayland the layout is the compositor's (French), unchangeable
    // from here.
    m_wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (QGuiApplication::platformName() != QLatin1String("xcb") && !m_wayland)
        QSKIP("needs an X server or a Wayland compositor");
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    QVERIFY(m_wayland || setLayout(QStringLiteral("fr")));
    m_cwd = std::make_unique<test::TempCwd>();
    test::startProgram();
    forms().MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
    QTRY_VERIFY(forms().MainForm->guideBand() && forms().MainForm->guideBand()->isVisible());
}

void TestX11Guide::cleanupTestCase()
{
    if (!m_wayland)
        setLayout(QStringLiteral("fr")); // the other X11 tests expect it
    test::stopProgram();
    m_cwd.reset();
}

// A first run offers exercise 1 under the keyboard window, where Tab and
// Entrée are keys to discover: Alt and the button's letter take it.
void TestX11Guide::startOfferAnswersItsLetter()
{
    test::stopProgram();
    progress::useJournal(m_home.filePath(QStringLiteral("progression.sqlite"))); // none yet
    test::startProgram();
    forms().MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
    guide::GuideWelcome *welcome = nullptr;
    QTRY_VERIFY((welcome = forms().MainForm->guideWelcome()) && welcome->commencer()->isVisible());
    QVERIFY(welcome->greeting()->text().contains(QStringLiteral("(Alt+M)")));
    QVERIFY(test::sendKeys({QStringLiteral("key"), QStringLiteral("alt+m")}));
    QTRY_COMPARE(forms().MainForm->activeLesson(), static_cast<LessonWindow *>(forms().Exos));
    QCOMPARE(forms().Exos->GetIni(), 1);
    QTRY_COMPARE(QApplication::focusWidget(), forms().Exos->Edit2());
    QVERIFY(!welcome->isVisible());
    progress::useJournal(QString());
}

void TestX11Guide::sentenceNamesTheNextKey()
{
    TMainForm *frame = forms().MainForm;
    guide::GuideBand *band = frame->guideBand();
    // Under Wayland the seat's keymap may be the key-sending tool's, which
    // the model passes over for French by name.
    const QStringList french{QStringLiteral("French"), QStringLiteral("fr")};
    const auto &live = keyboard::LiveKeyModel::instance();
    QTRY_VERIFY(m_wayland ? french.contains(live.model().name()) : live.model().name() == french.first());
    frame->action(QStringLiteral("N1gh1"))->trigger();
    TExos *exos = forms().Exos;
    QTRY_COMPARE(QApplication::focusWidget(), exos->Edit2());
    const QString line = QString::fromUtf8(drills::exerciseText(1)->models[0]);
    for (int i = 0; i < line.size(); ++i) {
        const QChar next = line.at(i);
        const QString label = next == u' ' ? QStringLiteral("espace") : QString(next.toUpper());
        QTRY_COMPARE(band->logic().expected(), QString(next));
        QVERIFY2(band->consigne()->text().endsWith(QStringLiteral("\u00a0: ") + label),
                 qPrintable(band->consigne()->text()));
        QCOMPARE(litKeys().size(), 1);
        QVERIFY(
            test::sendKeys({QStringLiteral("key"), next == u' ' ? QStringLiteral("space") : QString(next)}));
    }
    QTRY_COMPARE(exos->Edit2()->text(), line);
    QCOMPARE(exos->errors(), 0);
}

// The first key of a run (X11 tells of a new keyboard then) is named.
void TestX11Guide::discoveryNamesTheFirstKey()
{
    if (m_wayland)
        QSKIP("the layout is the compositor's");
    test::stopProgram();
    QVERIFY(setLayout(QStringLiteral("fr")));
    test::startProgram();
    forms().MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
    guide::GuideBand *band = nullptr;
    QTRY_VERIFY((band = forms().MainForm->guideBand()) && band->isVisible());
    QVERIFY(pressTogether({30}));
    QTRY_COMPARE(band->consigne()->text(), QStringLiteral("Touche U\u00a0: index droit"));
    QVERIFY(setLayoutAgain(QStringLiteral("fr")));
    QCOMPARE(band->consigne()->text(), QStringLiteral("Touche U\u00a0: index droit"));
    QCOMPARE(litKeys(), QList<int>{30});
}

void TestX11Guide::guidedKeysTypeTheText_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("exercise");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("length");
    // -1: in the same run; n: the first keys of a new run, after n
    // characters written without a key.
    QTest::addColumn<int>("newRun");
    const auto row = [](const char *name, const char *layout, const char *variant, const char *xName,
                        int exercise, int line, int length, int newRun = -1) {
        QTest::newRow(name) << QString::fromUtf8(layout) << QString::fromUtf8(variant)
                            << QString::fromUtf8(xName) << exercise << line << length << newRun;
    };
    // A dead key first: ô on the French layout, É on the German one.
    row("fr accents, first keys", "fr", "", "French", 10, 1, 8, 1);
    row("de capitals, first keys", "de", "", "German", 19, 0, 8, 0);
    row("be accents", "be", "", "Belgian", 10, 2, 24);
    row("be capitals", "be", "", "Belgian", 15, 0, 20);
    row("be signs", "be", "", "Belgian", 13, 2, 30);
    row("bepo accents", "fr", "bepo", "French (BEPO)", 10, 2, 24);
    row("bepo capitals", "fr", "bepo", "French (BEPO)", 15, 0, 20);
    row("bepo signs", "fr", "bepo", "French (BEPO)", 13, 2, 30);
}

void TestX11Guide::guidedKeysTypeTheText()
{
    QFETCH(QString, layout);
    QFETCH(QString, variant);
    QFETCH(QString, name);
    QFETCH(int, exercise);
    QFETCH(int, line);
    QFETCH(int, length);
    QFETCH(int, newRun);
    if (m_wayland)
        QSKIP("the compositor's layout is set at its start");
    if (newRun >= 0)
        test::stopProgram();
    QVERIFY(setLayout(layout, variant));
    if (newRun >= 0) {
        test::startProgram();
        forms().MainForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
        QTRY_VERIFY(forms().MainForm->guideBand() && forms().MainForm->guideBand()->isVisible());
    }
    QTRY_COMPARE(keyboard::LiveKeyModel::instance().model().name(), name);
    TExos *exos = forms().Exos;
    exos->SetIni(exercise);
    forms().MainForm->showLesson(exos);
    QLineEdit *typing = exos->typingLine(line);
    typing->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), typing);
    guide::GuideBand *band = forms().MainForm->guideBand();
    const QString text = exos->modelLine(line)->text().left(length);
    for (int i = 0; i < newRun; ++i)
        static_cast<ui::HookLineEdit *>(typing)->typeCharacter(quint8(text.at(i).toLatin1()));
    for (int i = qMax(0, newRun); i < text.size(); ++i) {
        QTRY_COMPARE(band->logic().expected(), text.mid(i, 1));
        // Every step the guide lights, until the character is in.
        for (int step = 0; typing->text().size() == i; ++step) {
            QVERIFY2(step < 4, qPrintable(band->consigne()->text()));
            const QList<int> keys = litKeys();
            QVERIFY2(!keys.isEmpty(), qPrintable(band->consigne()->text()));
            const int before = band->logic().step();
            QVERIFY(pressTogether(keys));
            QTRY_VERIFY(typing->text().size() > i || band->logic().step() > before);
            if (i == newRun && step == 0)
                QVERIFY(setLayoutAgain(layout, variant));
        }
        QCOMPARE(typing->text(), text.left(i + 1));
    }
    QCOMPARE(exos->errors(), 0);
}

// Exercise 1 typed to its end through real keys: a wrong key flashes the
// line, the end shows the result and « Exercice suivant », a stray key leaves it there, and Alt+N opens
// exercise 2 with its typing line focused.
void TestX11Guide::exerciseEndLeadsOn()
{
    QVERIFY(setLayout(QStringLiteral("fr")));
    QTRY_COMPARE(keyboard::LiveKeyModel::instance().model().name(), QStringLiteral("French"));
    TMainForm *frame = forms().MainForm;
    frame->action(QStringLiteral("N1gh1"))->trigger();
    TExos *exos = forms().Exos;
    QTRY_COMPARE(QApplication::focusWidget(), exos->Edit2());
    const QColor base = exos->Edit2()->palette().color(QPalette::Base);
    QVERIFY(test::sendKeys({QStringLiteral("key"), QStringLiteral("z")}));
    QTRY_COMPARE(exos->errors(), 1);
    QTRY_VERIFY(exos->Edit2()->palette().color(QPalette::Base) != base);
    QTRY_COMPARE(exos->Edit2()->palette().color(QPalette::Base), base);
    for (int line = 0; line < drills::LineDrill::LineCount; ++line) {
        const QString text = exos->modelLine(line)->text();
        QTRY_COMPARE(QApplication::focusWidget(), exos->typingLine(line));
        QVERIFY(
            test::sendKeys({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), text}));
        QTRY_COMPARE(exos->typingLine(line)->text(), text);
    }
    QCOMPARE(exos->errors(), 1);
    guide::GuideBand *band = frame->guideBand();
    auto *result = band->findChild<QLabel *>(QStringLiteral("GuideResultat"));
    auto *next = band->findChild<QPushButton *>(QStringLiteral("GuideSuivant"));
    QTRY_VERIFY(result->isVisible());
    QVERIFY2(result->text().endsWith(QStringLiteral("Bravo, exercice réussi\u00a0: passez à l'exercice 2")),
             qPrintable(result->text()));
    QVERIFY(next->isVisible());
    QCOMPARE(next->text(), QStringLiteral("Exercice suiva&nt"));
    QTRY_COMPARE(QApplication::focusWidget(), next);
    // A stray key is judged past the end; the result stays, and Alt+N goes on.
    QVERIFY(test::sendKeys({QStringLiteral("key"), QStringLiteral("k")}));
    QTRY_COMPARE(exos->errors(), 2);
    QVERIFY(result->isVisible() && next->isVisible());
    QVERIFY(test::sendKeys({QStringLiteral("key"), QStringLiteral("alt+n")}));
    QTRY_COMPARE(exos->GetIni(), 2);
    QTRY_COMPARE(QApplication::focusWidget(), exos->Edit2());
    QVERIFY(!result->isVisible());
    QVERIFY(test::sendKeys({QStringLiteral("key"), QStringLiteral("a")}));
    QTRY_COMPARE(exos->Edit2()->text(), QStringLiteral("a"));
}

QTEST_MAIN(TestX11Guide)
#include "tst_x11_guide.moc"
