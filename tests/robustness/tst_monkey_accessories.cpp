// Monkey test of the accessories and the character table, each shown
// non-modally in the running program: thousands of random keys, commits and
// clicks without a crash. The clock and the printer are fakes, checked to be
// the ones in use: no event can change the machine's clock or print.
#include "monkey.h"
#include "support/testsupport.h"

#include "accessories/monthcalendar.h"
#include "accessories/monthstep.h"
#include "accessories/tblocnotes.h"
#include "accessories/tcalendrier.h"
#include "accessories/thorloge.h"
#include "accessories/tpocket.h"
#include "app/forms.h"
#include "app/tmainform.h"
#include "keyboard/tcaract.h"
#include "ui/accessories_clocksetter.h"
#include "ui/accessories_printer.h"

#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

namespace {
constexpr int kEvents = 5000;

class FakeClock final : public ui::ClockSetter
{
public:
    int calls = 0;
    QString setLocalTime(const QDateTime &) override
    {
        ++calls;
        return {};
    }
};

class FakePrinter final : public ui::TextPrinter
{
public:
    int calls = 0;
    QString printLines(const QStringList &, const QFont &, const QString &) override
    {
        ++calls;
        return {};
    }
};

QDialog *accessory(const QString &name)
{
    const Forms &f = forms();
    QDialog *all[] = {f.Blocnotes, f.Calendrier, f.Horloge, f.Pocket, f.Caract};
    for (QDialog *d : all)
        if (QLatin1String(d->metaObject()->className()) == QLatin1Char('T') + name)
            return d;
    return nullptr;
}
} // namespace

class TestMonkeyAccessories : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void monkey_data();
    void monkey();

private:
    std::unique_ptr<test::TempCwd> m_cwd;
    std::unique_ptr<test::PrompterScope> m_prompter;
    FakeClock *m_clock = nullptr;
    FakePrinter *m_printer = nullptr;
    std::unique_ptr<ui::ClockSetter> m_realClock;
    std::unique_ptr<ui::TextPrinter> m_realPrinter;
};

void TestMonkeyAccessories::init()
{
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompter = std::make_unique<test::PrompterScope>();
    // Before any window exists: nothing may reach the real clock or printer.
    m_clock = new FakeClock;
    m_realClock = ui::setClockSetter(std::unique_ptr<ui::ClockSetter>(m_clock));
    m_printer = new FakePrinter;
    m_realPrinter = ui::setTextPrinter(std::unique_ptr<ui::TextPrinter>(m_printer));
    test::startProgram();
    QApplication::clipboard()->setText(QString::fromUtf8("12,5 Ω\té\nxyz"));
    // A fixed moment: the clock's display never reads the machine's time.
    forms().Horloge->setNow([] { return QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)); });
}

void TestMonkeyAccessories::cleanup()
{
    test::stopProgram();
    ui::setClockSetter(std::move(m_realClock));
    ui::setTextPrinter(std::move(m_realPrinter));
    m_prompter.reset();
    m_cwd.reset();
}

void TestMonkeyAccessories::monkey_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("TBlocnotes") << "Blocnotes" << 101u;
    QTest::newRow("TCalendrier") << "Calendrier" << 102u;
    QTest::newRow("THorloge") << "Horloge" << 103u;
    QTest::newRow("TPocket") << "Pocket" << 104u;
    QTest::newRow("TCaract") << "Caract" << 105u;
}

void TestMonkeyAccessories::monkey()
{
    QFETCH(QString, window);
    QFETCH(quint32, seed);
    QDialog *d = accessory(window);
    QVERIFY(d);
    QCOMPARE(&ui::clockSetter(), static_cast<ui::ClockSetter *>(m_clock));
    QCOMPARE(&ui::textPrinter(), static_cast<ui::TextPrinter *>(m_printer));
    d->show();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));

    int shown = 1;
    monkey::Monkey m(d, monkey::seed(seed));
    m.revive = [&] {
        // Escape and "Fermer" close the accessory: it is opened again.
        if (!d->isVisible()) {
            d->show();
            ++shown;
        }
        QWidget *focus = QApplication::focusWidget();
        if (!focus || focus->window() != d) {
            d->activateWindow();
            QCoreApplication::processEvents();
        }
    };
    m.tick = [&] {
        if (auto *clock = qobject_cast<THorloge *>(d); clock && clock->Timer1->isActive())
            clock->Timer1Timer();
    };
    m.check = [&]() -> QString {
        if (&ui::clockSetter() != m_clock || &ui::textPrinter() != m_printer)
            return QStringLiteral("the fakes were replaced");
        // What the window shows is what it holds.
        if (auto *pocket = qobject_cast<TPocket *>(d);
            pocket && pocket->Label1->text() != pocket->engine().display())
            return QStringLiteral("display \"%1\" for \"%2\"")
                .arg(pocket->Label1->text(), pocket->engine().display());
        if (auto *calendar = qobject_cast<TCalendrier *>(d);
            calendar && calendar->Label1()->text() != MonthStep::heading(calendar->Calendar1()->date()))
            return QStringLiteral("heading \"%1\"").arg(calendar->Label1()->text());
        return {};
    };
    const QString broken = m.run(monkey::events(kEvents));
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    qInfo("shown %d times, clock set %d times, printed %d times", shown, m_clock->calls, m_printer->calls);

    // The fakes are the ones the windows use.
    if (auto *clock = qobject_cast<THorloge *>(d)) {
        const int before = m_clock->calls;
        if (!clock->settingMode())
            clock->Button2Click();
        QVERIFY(clock->settingMode());
        clock->Button2Click();
        QCOMPARE(m_clock->calls, before + 1);
    }
    if (auto *notepad = qobject_cast<TBlocnotes *>(d)) {
        const int before = m_printer->calls;
        notepad->Imprimer();
        QCOMPARE(m_printer->calls, before + 1);
        // What the monkey wrote is saved and read back whole.
        const QString text = notepad->notes();
        notepad->Memo1->document()->setModified(true);
        notepad->Sauve(QStringLiteral("Tapivox.nte"));
        notepad->Memo1->clear();
        notepad->Charge(QStringLiteral("Tapivox.nte"));
        QCOMPARE(notepad->notes(), text);
    }
}

QTEST_MAIN(TestMonkeyAccessories)
#include "tst_monkey_accessories.moc"
