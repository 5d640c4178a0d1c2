// The clock window: ticks from an injected clock, the freeze, step and set
// cycle with a fake clock setter (the real clock is never touched).
#include "accessories/spinbutton.h"
#include "accessories/thorloge.h"
#include "support/testsupport.h"
#include "ui/accessories_clocksetter.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {
class FakeClockSetter final : public ui::ClockSetter
{
public:
    QList<QDateTime> *set;
    QString answer;
    FakeClockSetter(QList<QDateTime> *s, QString a)
        : set(s)
        , answer(std::move(a))
    {}
    QString setLocalTime(const QDateTime &local) override
    {
        *set << local;
        return answer;
    }
};
} // namespace

class TestHorloge : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tickShowsTimeAndDate();
    void arrowsWithoutItemDoNothing();
    void arrowsStepTheChosenField();
    void setWritesShownMoment();
    void refusalIsReported_data();
    void refusalIsReported();
    void closingWhileFrozenForgetsEdits();
    void enterNeitherFreezesNorSets();

private:
    QList<QDateTime> m_set;
    QString m_answer;
    std::unique_ptr<ui::ClockSetter> m_previous;
    QDateTime m_now;
    void openClock(THorloge &clock)
    {
        clock.setNow([this] { return m_now; });
        clock.FormActivate();
    }
};

void TestHorloge::init()
{
    m_set.clear();
    m_now = QDateTime(QDate(2024, 2, 29), QTime(23, 5, 9));
    m_previous = ui::setClockSetter(std::make_unique<FakeClockSetter>(&m_set, QString()));
}

void TestHorloge::cleanup()
{
    ui::setClockSetter(std::move(m_previous));
}

void TestHorloge::tickShowsTimeAndDate()
{
    THorloge clock;
    openClock(clock);
    QCOMPARE(clock.Label1->text(), QStringLiteral("23:05:09"));
    QCOMPARE(clock.Label2->text(), QStringLiteral("29/02/2024"));
    QVERIFY(clock.Timer1->isActive());
    clock.show(); // the signature takes its size from its letters then
    QCOMPARE(clock.Label3->size(), clock.Label3->sizeHint());
    m_now = m_now.addSecs(1);
    clock.Timer1Timer();
    QCOMPARE(clock.Label1->text(), QStringLiteral("23:05:10"));
    clock.FormDeactivate();
    QVERIFY(!clock.Timer1->isActive());
}

void TestHorloge::arrowsWithoutItemDoNothing()
{
    THorloge clock;
    openClock(clock);
    QCOMPARE(clock.RadioItems->checkedId(), -1);
    clock.SpinButton1->upButton()->click();
    clock.SpinButton1DownClick();
    QCOMPARE(clock.Label1->text(), QStringLiteral("23:05:09"));
    QCOMPARE(clock.Label2->text(), QStringLiteral("29/02/2024"));
}

void TestHorloge::arrowsStepTheChosenField()
{
    THorloge clock;
    openClock(clock);
    QCOMPARE(clock.SpinButton1->upButton()->autoRepeatDelay(), 400);
    QCOMPARE(clock.SpinButton1->upButton()->autoRepeatInterval(), 100);
    clock.Button2Click();
    clock.findChild<QRadioButton *>(QStringLiteral("Hr"))->click();
    clock.SpinButton1->upButton()->click();
    QCOMPARE(clock.Label1->text(), QStringLiteral("23:05:09"));
    clock.findChild<QRadioButton *>(QStringLiteral("Mn"))->click();
    clock.SpinButton1->upButton()->click();
    QCOMPARE(clock.Label1->text(), QStringLiteral("23:06:09"));
    clock.findChild<QRadioButton *>(QStringLiteral("Mo"))->click();
    clock.SpinButton1->downButton()->click();
    QCOMPARE(clock.Label2->text(), QStringLiteral("29/01/2024"));
}

void TestHorloge::setWritesShownMoment()
{
    test::PrompterScope prompts;
    THorloge clock;
    clock.setNow([this] { return m_now; });
    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    clock.Button2->click();
    QVERIFY(clock.settingMode());
    QVERIFY(!clock.Timer1->isActive());
    m_now = m_now.addSecs(30); // frozen: a tick would not be asked for
    clock.findChild<QRadioButton *>(QStringLiteral("Hr"))->click();
    clock.SpinButton1DownClick();
    clock.Button2->click();
    QVERIFY(!clock.settingMode());
    QVERIFY(clock.Timer1->isActive());
    QCOMPARE(m_set, QList<QDateTime>{QDateTime(QDate(2024, 2, 29), QTime(22, 5, 9))});
    QVERIFY(prompts.fake().errors.isEmpty());
}

void TestHorloge::refusalIsReported_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("setCalls");
    QTest::newRow("setter refuses") << "29/02/2024"
                                    << "l'autorisation a été refusée"
                                    << "L'horloge n'a pas été modifiée : l'autorisation a été refusée." << 1;
    QTest::newRow("impossible date")
        << "31/02/2024"
        << ""
        << "L'horloge n'a pas été modifiée : le 31/02/2024 à 23:05:09 n'existe pas." << 0;
}

void TestHorloge::refusalIsReported()
{
    QFETCH(QString, date);
    QFETCH(QString, answer);
    QFETCH(QString, message);
    QFETCH(int, setCalls);
    ui::setClockSetter(std::make_unique<FakeClockSetter>(&m_set, answer));
    test::PrompterScope prompts;
    THorloge clock;
    openClock(clock);
    clock.Button2Click();
    clock.Label2->setText(date);
    clock.Button2Click();
    QCOMPARE(prompts.fake().errors, QStringList{message});
    QCOMPARE(m_set.size(), setCalls);
}

void TestHorloge::closingWhileFrozenForgetsEdits()
{
    test::PrompterScope prompts;
    THorloge clock;
    clock.setNow([this] { return m_now; });
    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    clock.Button2Click();
    clock.findChild<QRadioButton *>(QStringLiteral("An"))->click();
    clock.SpinButton1UpClick();
    QCOMPARE(clock.Label2->text(), QStringLiteral("29/02/2025"));
    clock.Button1->click();
    QVERIFY(!clock.isVisible());
    QVERIFY(!clock.Timer1->isActive());
    QVERIFY(m_set.isEmpty());
    clock.show();
    QVERIFY(!clock.settingMode());
    QVERIFY(clock.Timer1->isActive());
    QCOMPARE(clock.Label2->text(), QStringLiteral("29/02/2024"));
}

void TestHorloge::enterNeitherFreezesNorSets()
{
    test::PrompterScope prompts;
    THorloge clock;
    clock.setNow([this] { return m_now; });
    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    auto *hour = clock.findChild<QRadioButton *>(QStringLiteral("Hr"));
    for (QWidget *w : {static_cast<QWidget *>(hour), static_cast<QWidget *>(clock.Button2)}) {
        w->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(w, key);
            QVERIFY(!clock.settingMode());
        }
    }
    QTest::keyClick(clock.Button2, Qt::Key_Space);
    QVERIFY(clock.settingMode());
    QTest::keyClick(clock.Button2, Qt::Key_Return);
    QVERIFY(clock.settingMode());
    QVERIFY(m_set.isEmpty());
    QVERIFY(clock.isVisible());
}

QTEST_MAIN(TestHorloge)
#include "tst_horloge.moc"
