// Real X key events through the French layout into the exercise window: the
// dead circumflex composes "ô" and "^", which are judged like any key.
#include "drills/exercisetexts.h"
#include "drills/texos.h"
#include "support/testsupport.h"
#include "ui/hooklineedit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

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

} // namespace

class TestX11Exos : public QObject
{
    Q_OBJECT
private slots:
    void deadCircumflexIsJudged();
};

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
    QTRY_COMPARE(QApplication::focusWidget(), w.Edit2);

    // A composed character that is not the expected one is refused.
    QVERIFY(xdotoolKeys(keysOf(u"ê"_qs)));
    QTRY_COMPARE(w.errors(), 1);
    QCOMPARE(w.Edit2->text(), QString());

    const QString line1 = QString::fromUtf8(drills::exerciseText(10)->models[0]);
    QVERIFY(xdotoolKeys(keysOf(line1)));
    QTRY_COMPARE(w.good(), int(line1.size()));
    QCOMPARE(w.Edit2->text(), line1);
    QTRY_COMPARE(QApplication::focusWidget(), w.Edit4);

    const QString line2 = QString::fromUtf8(drills::exerciseText(10)->models[1]);
    QVERIFY(line2.contains(u'ô'));
    QVERIFY(xdotoolKeys(keysOf(line2)));
    QTRY_COMPARE(w.Edit4->text(), line2);
    QCOMPARE(w.good(), int(line1.size() + line2.size()));
    QCOMPARE(w.errors(), 1);
    QCOMPARE(QApplication::focusWidget(), w.Edit6);

    if (wayland)
        return; // the judged line with dead keys is what runs there too

    // Nothing is pasted: Ctrl+V is a refused character, Shift+Insert nothing.
    QApplication::clipboard()->setText(u"aoû"_qs);
    QVERIFY(xdotoolKeys({u"ctrl+v"_qs, u"shift+Insert"_qs}));
    QTRY_COMPARE(w.errors(), 2);
    QCOMPARE(w.Edit6->text(), QString());
    // AltGr+i types "→", which Windows-1252 lacks: a wrong key, kept out of
    // the line. A dead key before a letter it cannot accent (ẑ): the
    // circumflex, then the letter, each judged.
    w.Edit2->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), w.Edit2);
    const int good = w.good();
    QVERIFY(xdotoolKeys({u"m"_qs, u"ISO_Level3_Shift+i"_qs}));
    QTRY_COMPARE(w.errors(), 3);
    QVERIFY(xdotoolKeys({u"dead_circumflex"_qs, u"z"_qs}));
    QTRY_COMPARE(w.errors(), 4);
    QCOMPARE(w.good(), good + 2);
    QCOMPARE(w.Edit2->text(), u"m^"_qs);
}

QTEST_MAIN(TestX11Exos)
#include "tst_x11_exos.moc"
