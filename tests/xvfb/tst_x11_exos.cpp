// Real X key events through the French layout into the exercise window: the
// dead circumflex composes "ô" and "^", which are judged like any key; and
// the French exercises typed through each French-speaking layout.
#include "drills/exercisetexts.h"
#include "drills/tepreuve.h"
#include "drills/texos.h"
#include "keymodel/keymodel.h"
#include "support/testsupport.h"
#include "ui/hooklineedit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

namespace {

// The French layout's keys for the characters of exercise 10.
QStringList keysOf(const QString &text)
{
    QStringList keys;
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case u' ': keys << u"space"_qs; break;
        case u'^': keys << u"dead_circumflex"_qs << u"space"_qs; break;
        case u'ô': keys << u"dead_circumflex"_qs << u"o"_qs; break;
        case u'ê': keys << u"dead_circumflex"_qs << u"e"_qs; break;
        case u'ù': keys << u"ugrave"_qs; break;
        default: keys << QString(ch); break;
        }
    }
    return keys;
}

// Keys are typed while the event loop runs, as a learner types them: a
// blocked loop would receive a burst in which composed characters overtake
// plain keys.
bool xdotoolKeys(const QStringList &keys)
{
    return test::sendKeys(QStringList{u"key"_qs, u"--delay"_qs, u"15"_qs} + keys);
}

// xdotool's arguments for a text, as the keyboard model says to type it:
// one press per step, its keys held together given by X keycode. A
// character the layout lacks is typed as its plain stand-in, or not at all
// when it has none (the drill writes it).
QStringList keycodesOf(const keyboard::KeyModel &layout, const QString &text)
{
    QStringList keys;
    for (QChar ch : text) {
        const keyboard::HowToType how = layout.howToType(ch);
        if (!how.typable()) {
            keys += keycodesOf(layout, keyboard::acceptance(layout, ch).standIn);
            continue;
        }
        for (const keyboard::KeyStep &step : how.steps) {
            QStringList held;
            for (int code : step.keycodes)
                held << QString::number(code);
            keys << held.join(QLatin1Char('+'));
        }
    }
    return keys;
}

// "fr(oss)" as setxkbmap's layout and variant.
bool useServerLayout(const QString &name)
{
    const qsizetype open = name.indexOf(QLatin1Char('('));
    QStringList args{u"-layout"_qs, name.left(open)};
    if (open >= 0)
        args << u"-variant"_qs << name.mid(open + 1).chopped(1);
    return QProcess::execute(u"setxkbmap"_qs, args) == 0;
}

} // namespace

class TestX11Exos : public QObject
{
    Q_OBJECT
private slots:
    void deadCircumflexIsJudged();
    void frenchExercisesOnEveryLayout_data();
    void frenchExercisesOnEveryLayout();
    void copyTestThroughRealKeys();
    void cleanupTestCase();
};

void TestX11Exos::frenchExercisesOnEveryLayout_data()
{
    QTest::addColumn<QString>("layout");
    for (const char *layout : {"fr", "fr(oss)", "be", "ch(fr)", "ca(fr)", "fr(bepo)"})
        QTest::newRow(layout) << QString::fromLatin1(layout);
}

// Every line of the French exercises, typed as the keyboard model says on
// the layout of the X server, is right key after key (a character the
// layout cannot give is written by the drill); exercise 21 takes the
// apostrophe for ’; a wrong accent is one error.
void TestX11Exos::frenchExercisesOnEveryLayout()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the X11 platform");
    QFETCH(QString, layout);
    const std::unique_ptr<keyboard::KeyModel> model = keyboard::KeyModel::fromLayoutName(layout);
    QVERIFY(model);
    QSignalSpy followed(&keyboard::LiveKeyModel::instance(), &keyboard::LiveKeyModel::changed);
    QVERIFY(useServerLayout(layout));
    if (layout != QLatin1String("fr"))
        QTRY_VERIFY(followed.count() > 0);

    TExos w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (int code = drills::FirstFrenchExercise; code <= drills::ExerciseCount; ++code) {
        w.SetIni(code);
        QTRY_COMPARE(QApplication::focusWidget(), w.Edit2());
        int total = 0;
        for (int line = 0; line < 3; ++line) {
            const QString text = QString::fromUtf8(drills::exerciseText(code)->models[line]);
            QVERIFY(
                test::sendKeys(QStringList{u"key"_qs, u"--delay"_qs, u"8"_qs} + keycodesOf(*model, text)));
            total += int(std::count_if(text.begin(), text.end(),
                                       [&](QChar c) { return !keyboard::acceptance(*model, c).skipped(); }));
            QTRY_COMPARE(w.typingLine(line)->text(), text);
            QCOMPARE(w.Label2->text(), QStringLiteral("Bon : %1     Erreurs : 0").arg(total));
        }
    }

    // Exercise 21 with the apostrophe wherever ’ stands, which every
    // layout takes.
    w.SetIni(21);
    QTRY_COMPARE(QApplication::focusWidget(), w.Edit2());
    int total = 0;
    for (int line = 0; line < 3; ++line) {
        const QString text = QString::fromUtf8(drills::exerciseText(21)->models[line]);
        QVERIFY(test::sendKeys(QStringList{u"key"_qs, u"--delay"_qs, u"8"_qs} +
                               keycodesOf(*model, QString(text).replace(u'’', u'\''))));
        total += int(text.size());
        QTRY_COMPARE(w.typingLine(line)->text(), text);
    }
    QCOMPARE(w.Label2->text(), QStringLiteral("Bon : %1     Erreurs : 0").arg(total));

    // è where é is expected.
    w.SetIni(8);
    QTRY_COMPARE(QApplication::focusWidget(), w.Edit2());
    QVERIFY(xdotoolKeys(keycodesOf(*model, u"qaèé"_qs)));
    QTRY_COMPARE(w.good(), 3);
    QCOMPARE(w.errors(), 1);
    QCOMPARE(w.Edit2()->text(), u"qaé"_qs);
}

// A one-minute copy test typed through real keys, two errors left in it:
// the result reads as the scoring says.
void TestX11Exos::copyTestThroughRealKeys()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the X11 platform");
    QVERIFY(useServerLayout(u"fr"_qs));
    qint64 now = 0;
    TEpreuve w;
    w.setClock([&now] { return now; });
    w.setTexts({{u"Essai"_qs, u"le chat dort"_qs}});
    w.ComboDuree->setCurrentIndex(w.ComboDuree->findData(1));
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.BoutonCommencer->click();
    QTRY_VERIFY(w.SaisieEpreuve->hasFocus());
    QVERIFY(xdotoolKeys(keysOf(u"le cgat dorr"_qs)));
    QTRY_COMPARE(w.SaisieEpreuve->toPlainText(), u"le cgat dorr"_qs);
    QVERIFY(w.running());
    now = 60000;
    w.Timer1Timer();
    QVERIFY(!w.running());
    QVERIFY(!w.interrupted());
    const QString result = w.ResultatEpreuve->text();
    QVERIFY2(result.contains(u"Vitesse nette\u00a0: 0,4\u00a0mots/min (brute\u00a0: 2,4\u00a0mots/min)"_qs),
             qPrintable(result));
    QVERIFY2(result.contains(u"2 erreur(s) non corrigée(s) sur 12 caractères"_qs), qPrintable(result));
}

void TestX11Exos::cleanupTestCase()
{
    useServerLayout(u"fr"_qs);
}

void TestX11Exos::deadCircumflexIsJudged()
{
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (QGuiApplication::platformName() != QLatin1String("xcb") && !wayland)
        QSKIP("needs the X11 platform or a Wayland compositor");
    TExos w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.SetIni(10);
    QTRY_COMPARE(QApplication::focusWidget(), w.Edit2());

    // A composed character that is not the expected one is refused.
    QVERIFY(xdotoolKeys(keysOf(u"ê"_qs)));
    QTRY_COMPARE(w.errors(), 1);
    QCOMPARE(w.Edit2()->text(), QString());

    const QString line1 = QString::fromUtf8(drills::exerciseText(10)->models[0]);
    QVERIFY(xdotoolKeys(keysOf(line1)));
    QTRY_COMPARE(w.good(), int(line1.size()));
    QCOMPARE(w.Edit2()->text(), line1);
    QTRY_COMPARE(QApplication::focusWidget(), w.Edit4());

    const QString line2 = QString::fromUtf8(drills::exerciseText(10)->models[1]);
    QVERIFY(line2.contains(u'ô'));
    QVERIFY(xdotoolKeys(keysOf(line2)));
    QTRY_COMPARE(w.Edit4()->text(), line2);
    QCOMPARE(w.good(), int(line1.size() + line2.size()));
    QCOMPARE(w.errors(), 1);
    QCOMPARE(QApplication::focusWidget(), w.Edit6());

    if (wayland)
        return; // the judged line with dead keys is what runs there too

    // Nothing is pasted: Ctrl+V is a refused character, Shift+Insert nothing.
    QApplication::clipboard()->setText(u"aoû"_qs);
    QVERIFY(xdotoolKeys({u"ctrl+v"_qs, u"shift+Insert"_qs}));
    QTRY_COMPARE(w.errors(), 2);
    QCOMPARE(w.Edit6()->text(), QString());
    // AltGr+i types "→", which Windows-1252 lacks: a wrong key, kept out of
    // the line. A dead key before a letter it cannot accent (ẑ): the
    // circumflex, then the letter, each judged.
    w.Edit2()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), w.Edit2());
    const int good = w.good();
    QVERIFY(xdotoolKeys({u"m"_qs, u"ISO_Level3_Shift+i"_qs}));
    QTRY_COMPARE(w.errors(), 3);
    QVERIFY(xdotoolKeys({u"dead_circumflex"_qs, u"z"_qs}));
    QTRY_COMPARE(w.errors(), 4);
    QCOMPARE(w.good(), good + 2);
    QCOMPARE(w.Edit2()->text(), u"m^"_qs);
}

QTEST_MAIN(TestX11Exos)
#include "tst_x11_exos.moc"
