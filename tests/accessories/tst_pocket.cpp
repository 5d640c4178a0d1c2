// The calculator window: keys typed on the keyboard press the buttons, and
// errors go to the standard error box.
#include "accessories/tpocket.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestPocket : public QObject
{
    Q_OBJECT
private slots:
    void keyboardDrivesTheKeys();
    void reciprocalKeyPassesNoKeysOn();
    void errorGoesToTheErrorBox();
};

void TestPocket::keyboardDrivesTheKeys()
{
    TPocket pocket;
    pocket.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pocket));
    QCOMPARE(pocket.focusWidget(), pocket.Button11);
    for (char c : QByteArray("2+3="))
        QTest::keyClick(QApplication::focusWidget(), c);
    QCOMPARE(pocket.Label1->text(), QStringLiteral("5"));
    QTest::keyClick(QApplication::focusWidget(), 'c');
    QCOMPARE(pocket.Label1->text(), QString());
    // The clicked key takes the focus, as a mouse click would.
    QTest::keyClick(QApplication::focusWidget(), '7');
    QCOMPARE(QApplication::focusWidget(), pocket.Buttons[7]);
    QCOMPARE(pocket.Label1->text(), QStringLiteral("7"));
}

void TestPocket::reciprocalKeyPassesNoKeysOn()
{
    TPocket pocket;
    pocket.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pocket));
    QTest::keyClick(QApplication::focusWidget(), '4');
    QTest::keyClick(QApplication::focusWidget(), 'x');
    QCOMPARE(QApplication::focusWidget(), pocket.Buttons[16]);
    QCOMPARE(pocket.Label1->text(), QStringLiteral("0,25"));
    QTest::keyClick(QApplication::focusWidget(), '5');
    QCOMPARE(pocket.Label1->text(), QStringLiteral("0,25"));
}

void TestPocket::errorGoesToTheErrorBox()
{
    test::PrompterScope prompts;
    TPocket pocket;
    pocket.FormActivate();
    pocket.Button9Click();
    pocket.Button15Click();
    pocket.Button0Click();
    pocket.Button11Click();
    QCOMPARE(prompts.fake().errors, QStringList{QStringLiteral("Division flottante par zéro")});
    QCOMPARE(pocket.Label1->text(), QStringLiteral("0"));
}

QTEST_MAIN(TestPocket)
#include "tst_pocket.moc"
