// The calendar window: month buttons, page keys on any widget, heading,
// choosing a day, the date kept between openings.
#include "accessories/monthcalendar.h"
#include "accessories/tcalendrier.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestCalendrier : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void monthButtonsKeepTheDay();
    void pageDownOnFermerStepsWithoutClosing();
    void pageKeysOnTheGrid();
    void escapeCloses();
    void enterOnTheGridDoesNothing();
    void dayCellsAndHeader();
};

void TestCalendrier::monthButtonsKeepTheDay()
{
    TCalendrier cal;
    cal.Calendar1()->setDate(QDate(2024, 1, 31));
    QCOMPARE(cal.Label1()->text(), QStringLiteral("janvier  2024"));
    cal.BitBtn2()->click();
    QCOMPARE(cal.Calendar1()->date(), QDate(2024, 2, 29));
    QCOMPARE(cal.Label1()->text(), QStringLiteral("février  2024"));
    cal.BitBtn2()->click();
    QCOMPARE(cal.Calendar1()->date(), QDate(2024, 3, 29));
    cal.Calendar1()->setDate(QDate(2024, 1, 10));
    cal.BitBtn1()->click();
    QCOMPARE(cal.Calendar1()->date(), QDate(2023, 12, 10));
    QCOMPARE(cal.Label1()->text(), QStringLiteral("décembre  2023"));
    QCOMPARE(cal.Label1()->width(), 372);
}

void TestCalendrier::pageDownOnFermerStepsWithoutClosing()
{
    TCalendrier cal;
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));
    cal.Calendar1()->setDate(QDate(2024, 8, 31));
    cal.Button1()->setFocus();
    QTest::keyClick(cal.Button1(), Qt::Key_PageDown);
    QVERIFY(cal.isVisible());
    QCOMPARE(cal.Calendar1()->date(), QDate(2024, 9, 30));
    QTest::keyClick(cal.BitBtn1(), Qt::Key_PageUp);
    QCOMPARE(cal.Calendar1()->date(), QDate(2024, 8, 30));
    QVERIFY(cal.isVisible());
}

void TestCalendrier::pageKeysOnTheGrid()
{
    TCalendrier cal;
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));
    cal.Calendar1()->setDate(QDate(2023, 1, 31));
    QTest::keyClick(cal.Calendar1(), Qt::Key_PageDown);
    QCOMPARE(cal.Calendar1()->date(), QDate(2023, 2, 28));
    QTest::keyClick(cal.Calendar1(), Qt::Key_PageDown);
    QCOMPARE(cal.Calendar1()->date(), QDate(2023, 3, 28));
    QTest::keyClick(cal.Calendar1(), Qt::Key_PageUp);
    QCOMPARE(cal.Calendar1()->date(), QDate(2023, 2, 28));
}

void TestCalendrier::escapeCloses()
{
    TCalendrier cal;
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));
    cal.Calendar1()->setDate(QDate(2022, 5, 4));
    QTest::keyClick(cal.Calendar1(), Qt::Key_Escape);
    QVERIFY(!cal.isVisible());
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));
    QCOMPARE(cal.focusWidget(), static_cast<QWidget *>(cal.Calendar1()));
    // The widget that had the focus at closing has it again.
    cal.BitBtn2()->setFocus();
    cal.Button1()->click();
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));
    QCOMPARE(cal.focusWidget(), static_cast<QWidget *>(cal.BitBtn2()));
    QCOMPARE(cal.Calendar1()->date(), QDate(2022, 5, 4));
    QCOMPARE(cal.Label1()->text(), QStringLiteral("mai  2022"));
}

void TestCalendrier::enterOnTheGridDoesNothing()
{
    TCalendrier cal;
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));
    cal.Calendar1()->setDate(QDate(2024, 6, 12));
    cal.Calendar1()->setFocus();
    QTest::keyClick(cal.Calendar1(), Qt::Key_Return);
    QTest::keyClick(cal.Calendar1(), Qt::Key_Enter);
    QVERIFY(cal.isVisible());
    QCOMPARE(cal.Calendar1()->date(), QDate(2024, 6, 12));
}

void TestCalendrier::dayCellsAndHeader()
{
    TCalendrier cal;
    cal.Calendar1()->setDate(QDate(2024, 9, 10)); // September 2024 begins on a Sunday
    QCOMPARE(cal.Calendar1()->item(0, 0)->text(), QLocale().dayName(7, QLocale::ShortFormat));
    QCOMPARE(cal.Calendar1()->item(1, 0)->text(), QStringLiteral("1"));
    QCOMPARE(cal.Calendar1()->item(5, 6)->text(), QString());
    cal.Calendar1()->setCurrentCell(3, 4); // Thursday of the third week
    QCOMPARE(cal.Calendar1()->date(), QDate(2024, 9, 19));
    cal.Calendar1()->setCurrentCell(6, 3); // outside the month: nothing chosen
    QCOMPARE(cal.Calendar1()->date(), QDate(2024, 9, 19));
    QCOMPARE(cal.Calendar1()->currentRow(), 3);
}

QTEST_MAIN(TestCalendrier)
#include "tst_calendrier.moc"
