// The chronometer every lesson window shares.
#include "app/lesson/lessonwindow.h"
#include "ui/clicklabel.h"

#include <QTimer>
#include <QtTest>

namespace {
// A window with a time display, started by a click to "1" (exercises) or to
// "0:0" (keyboard window).
class ChronoWindow final : public LessonWindow
{
public:
    explicit ChronoWindow(const QString &startText)
        : LessonWindow(QStringLiteral("TChrono"), 2, 0)
        , m_start(startText)
    {
        createTimeDisplay(this, QPoint(560, 12));
    }
    void SetIni(std::int32_t code) override
    {
        LessonWindow::SetIni(code);
        Timer1->stop(); // choosing a lesson stops the chronometer
    }

protected:
    QString clickStartText() const override { return m_start; }

private:
    QString m_start;
};
} // namespace

class TestLessonWindow : public QObject
{
    Q_OBJECT
private slots:
    void clickStartShowsThenTicks_data();
    void clickStartShowsThenTicks();
    void stopResetsSecondsKeepsDisplay();
    void setTempsLeavesDisplay();
    void elapsedText_data();
    void elapsedText();
    void scoreLineHasFiveBlanks();
    void setIniStopsButKeepsDisplay();
};

void TestLessonWindow::clickStartShowsThenTicks_data()
{
    QTest::addColumn<QString>("start");
    QTest::newRow("exercises") << QStringLiteral("1");
    QTest::newRow("keyboard") << QStringLiteral("0:0");
}

void TestLessonWindow::clickStartShowsThenTicks()
{
    QFETCH(QString, start);
    ChronoWindow w(start);
    QTest::mouseClick(w.StaticText2, Qt::LeftButton);
    QVERIFY(w.chronometerRunning());
    QCOMPARE(w.StaticText2->text(), start);
    QCOMPARE(w.seconds(), 1);
    w.Timer1Timer();
    QCOMPARE(w.StaticText2->text(), QStringLiteral("0:1"));
    QCOMPARE(w.seconds(), 2); // a statistics request now reports k + 1
    for (int i = 0; i < 59; ++i)
        w.Timer1Timer();
    QCOMPARE(w.StaticText2->text(), QStringLiteral("1:0"));
}

void TestLessonWindow::stopResetsSecondsKeepsDisplay()
{
    ChronoWindow w(QStringLiteral("1"));
    w.StaticText1Click();
    w.Timer1Timer();
    w.Timer1Timer();
    w.StaticText1Click();
    QVERIFY(!w.chronometerRunning());
    QCOMPARE(w.seconds(), 0);
    QCOMPARE(w.StaticText2->text(), QStringLiteral("0:2"));
}

void TestLessonWindow::setTempsLeavesDisplay()
{
    ChronoWindow w(QStringLiteral("1"));
    w.SetTemps();
    QVERIFY(w.chronometerRunning());
    QCOMPARE(w.seconds(), 0);
    QCOMPARE(w.StaticText2->text(), QStringLiteral("0:0"));
    w.Timer1Timer();
    QCOMPARE(w.StaticText2->text(), QStringLiteral("0:0"));
    QCOMPARE(w.seconds(), 1);
}

void TestLessonWindow::elapsedText_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("5") << 5 << "0:5";
    QTest::newRow("60") << 60 << "1:0";
    QTest::newRow("754") << 754 << "12:34";
    QTest::newRow("3600") << 3600 << "60:0";
}

void TestLessonWindow::elapsedText()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(LessonWindow::elapsedText(seconds), text);
}

void TestLessonWindow::scoreLineHasFiveBlanks()
{
    QCOMPARE(LessonWindow::scoreLine(12, 3), QStringLiteral("Bon : 12     Erreurs : 3"));
}

void TestLessonWindow::setIniStopsButKeepsDisplay()
{
    ChronoWindow w(QStringLiteral("1"));
    w.StaticText1Click();
    w.Timer1Timer();
    w.SetIni(4);
    QVERIFY(!w.chronometerRunning());
    QCOMPARE(w.StaticText2->text(), QStringLiteral("0:1"));
    QCOMPARE(w.GetIni(), 4);
}

QTEST_MAIN(TestLessonWindow)
#include "tst_lessonwindow.moc"
