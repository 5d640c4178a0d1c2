// The timed copy test: its scoring, its attestation, and its window driven
// with an injected clock.
#include "drills/copytest.h"
#include "drills/placement.h"
#include "drills/tepreuve.h"
#include "progress/journal.h"
#include "progress/lessonfamily.h"
#include "progress/recording.h"
#include "support/testsupport.h"
#include "ui/accessories_printer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

namespace {
class FakePrinter final : public ui::TextPrinter
{
public:
    QStringList lines;
    QString printLines(const QStringList &printed, const QFont &, const QString &) override
    {
        lines = printed;
        return {};
    }
};
} // namespace

class TestCopyTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void scoring_data();
    void scoring();
    void modelRunsOn_data();
    void modelRunsOn();
    void attestationSaysWhatItIs();
    void attestationPdfReadsBack();
    void placementSendsWhereToStart_data();
    void placementSendsWhereToStart();
    void windowScoresRecordsAndAttests_data();
    void windowScoresRecordsAndAttests();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCopyTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    progress::useJournal(m_dir->filePath(QStringLiteral("progression.sqlite")));
}

void TestCopyTest::cleanup()
{
    progress::useJournal(QString());
    m_dir.reset();
}

void TestCopyTest::scoring_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("ms");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    QTest::addColumn<double>("perMinute");
    QTest::addColumn<double>("accuracy");
    QTest::addColumn<int>("errors");
    QTest::newRow("no error") << "abcde fghij"
                              << "abcde fghij" << 11 << 60000 << 2.2 << 2.2 << 11.0 << 100.0 << 0;
    QTest::newRow("two errors left") << "le chat dort"
                                     << "le cgat dorr" << 12 << 60000 << 2.4 << 0.4 << 12.0 << 100.0 * 10 / 12
                                     << 2;
    QTest::newRow("corrected errors cost keys only")
        << "le chat"
        << "le chat" << 11 << 60000 << 1.4 << 1.4 << 11.0 << 100.0 << 0;
    QTest::newRow("net never below zero") << "abcde"
                                          << "xxxxx" << 5 << 60000 << 1.0 << 0.0 << 5.0 << 0.0 << 5;
    QTest::newRow("half a minute") << "abcde"
                                   << "abcde" << 7 << 30000 << 2.0 << 2.0 << 14.0 << 100.0 << 0;
    QTest::newRow("a short text wraps round") << "ab"
                                              << "ab ab a" << 7 << 60000 << 1.4 << 1.4 << 7.0 << 100.0 << 0;
    QTest::newRow("plain stand-ins") << u"«\u00a0l’eau\u00a0» –"_qs << "\" l'eau \" -" << 11 << 60000 << 2.2
                                     << 2.2 << 11.0 << 100.0 << 0;
    QTest::newRow("nothing typed") << "abc"
                                   << "" << 0 << 60000 << 0.0 << 0.0 << 0.0 << 0.0 << 0;
}

void TestCopyTest::scoring()
{
    QFETCH(QString, model);
    QFETCH(QString, typed);
    QFETCH(int, keys);
    QFETCH(int, ms);
    QFETCH(double, gross);
    QFETCH(double, net);
    QFETCH(double, perMinute);
    QFETCH(double, accuracy);
    QFETCH(int, errors);
    const drills::CopyScore score = drills::scoreCopy(model, typed, keys, ms);
    QCOMPARE(score.errors, errors);
    QCOMPARE(score.errorList.size(), errors);
    QVERIFY(qAbs(score.grossWpm() - gross) < 1e-9);
    QVERIFY(qAbs(score.netWpm() - net) < 1e-9);
    QVERIFY(qAbs(score.keysPerMinute() - perMinute) < 1e-9);
    QVERIFY(qAbs(score.accuracy() - accuracy) < 1e-9);
}

void TestCopyTest::modelRunsOn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("model");
    QTest::newRow("lines and tabs") << "Cher Monsieur,\n\n\tJe vous écris  "
                                    << "Cher Monsieur, Je vous écris";
    QTest::newRow("non-breaking spaces stay") << u"Oui\u00a0! Non\u00a0?"_qs << u"Oui\u00a0! Non\u00a0?"_qs;
    QTest::newRow("the skipped sign goes") << u"a\ufffdb c"_qs << "ab c";
}

void TestCopyTest::modelRunsOn()
{
    QFETCH(QString, text);
    QFETCH(QString, model);
    QCOMPARE(drills::copyTestModel(text), model);
}

void TestCopyTest::attestationSaysWhatItIs()
{
    const QString code = drills::attestationCode(u"l1"_qs, u"s1"_qs, 234, 975);
    QCOMPARE(code, drills::attestationCode(u"l1"_qs, u"s1"_qs, 234, 975));
    QCOMPARE(code.size(), 11);
    for (const QString &other : {drills::attestationCode(u"l2"_qs, u"s1"_qs, 234, 975),
                                 drills::attestationCode(u"l1"_qs, u"s2"_qs, 234, 975),
                                 drills::attestationCode(u"l1"_qs, u"s1"_qs, 235, 975)})
        QVERIFY(other != code);
    drills::Attestation a;
    a.learner = u"Léa"_qs;
    a.when = QDateTime(QDate(2026, 12, 10), QTime(14, 5));
    a.minutes = 5;
    a.text = u"Maître Corbeau, sur un arbre perché, tenait en son bec un fromage."_qs;
    a.netWpm = 23.44;
    a.accuracy = 97.5;
    a.code = code;
    const QString page = drills::attestationLines(a).join(u'\n');
    for (const QString &part : {u"Apprenant\u00a0: Léa"_qs, u"10 décembre 2026"_qs, u"5\u00a0min"_qs,
                                u"«\u00a0Maître Corbeau, sur un arbre perché, tenait en…\u00a0»"_qs,
                                u"23,4\u00a0mots/min"_qs, u"97,5\u00a0%"_qs, code, u"pas un diplôme"_qs})
        QVERIFY2(page.contains(part), qPrintable(part));
}

// The placement text typed up to the end of step last, with errors wrong
// characters at the start of step wrongStep.
static QString placementCopy(int last, int wrongStep, int errors)
{
    QStringList parts;
    const auto steps = drills::placementSteps();
    for (int i = 0; i <= last && i < int(steps.size()); ++i) {
        QString part = QString::fromUtf8(steps[i].text);
        for (int k = 0; i == wrongStep && k < errors; ++k)
            part[k] = u'#';
        parts << part;
    }
    return parts.join(u' ');
}

// The page as printed into a PDF, read back by pdftotext.
void TestCopyTest::attestationPdfReadsBack()
{
    const QString pdf = m_dir->filePath(u"attestation.pdf"_qs);
    auto previous = ui::setTextPrinter(std::make_unique<ui::QtTextPrinter>(pdf));
    drills::Attestation a;
    a.learner = u"Léa Martin"_qs;
    a.when = QDateTime(QDate(2026, 12, 10), QTime(14, 5));
    a.minutes = 3;
    a.text = u"La cigale, ayant chanté tout l'été"_qs;
    a.netWpm = 31.25;
    a.accuracy = 98.0;
    a.code = drills::attestationCode(u"l"_qs, u"s"_qs, 313, 980);
    const QString failure =
        ui::textPrinter().printLines(drills::attestationLines(a), QFont(), u"Attestation"_qs);
    ui::setTextPrinter(std::move(previous));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QProcess reader;
    reader.start(u"pdftotext"_qs, {u"-enc"_qs, u"UTF-8"_qs, pdf, u"-"_qs});
    QVERIFY2(reader.waitForFinished(30000) && reader.exitCode() == 0, "pdftotext (poppler-utils) is needed");
    // Blanks as pdftotext gives them back.
    const QString text = QString::fromUtf8(reader.readAllStandardOutput()).replace(u'\u00a0', u' ');
    for (const QString &part :
         {u"Léa Martin"_qs, u"31,3 mots/min"_qs, u"98,0 %"_qs, a.code, u"pas un diplôme"_qs})
        QVERIFY2(text.contains(part), qPrintable(part + u" in "_qs + text));
}

void TestCopyTest::placementSendsWhereToStart_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("lesson");
    QTest::addColumn<QString>("advice");
    QTest::addColumn<bool>("enough");
    QTest::newRow("everything right: the texts")
        << placementCopy(7, -1, 0) << 4 << 2 << "passez aux textes" << false;
    QTest::newRow("home row missed") << placementCopy(7, 0, 5) << 2 << 1
                                     << u"exercice 1\u00a0: la rangée de repos vous coûte encore 12\u00a0%"_qs
                                     << false;
    QTest::newRow("the errors say enough") << placementCopy(0, 0, 11).left(20) << 2 << 1 << "" << true;
    QTest::newRow("top row not reached")
        << placementCopy(0, -1, 0) << 2 << 4 << "les touches du haut sont encore à travailler" << false;
    QTest::newRow("one slip is within the objective") << placementCopy(7, 2, 1) << 4 << 2 << "" << false;
    QTest::newRow("accents") << placementCopy(7, 3, 4) << 2 << 8 << "lettres accentuées vous coûtent"
                             << false;
    QTest::newRow("French characters")
        << placementCopy(7, 7, 6) << 2 << 19 << "caractères du français" << false;
}

void TestCopyTest::placementSendsWhereToStart()
{
    QFETCH(QString, typed);
    QFETCH(int, module);
    QFETCH(int, lesson);
    QFETCH(QString, advice);
    QFETCH(bool, enough);
    const drills::Placement p = drills::placementOf(typed);
    QCOMPARE(p.module, module);
    QCOMPARE(p.lesson, lesson);
    QVERIFY2(p.advice.contains(advice), qPrintable(p.advice));
    QCOMPARE(drills::placementSaysEnough(typed), enough);
}

void TestCopyTest::windowScoresRecordsAndAttests_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<bool>("corrections");
    QTest::addColumn<int>("lastTick"); // ms after the first key
    QTest::addColumn<bool>("interrupted");
    QTest::addColumn<QString>("copy");
    QTest::newRow("one minute, to its end") << 1 << true << 60000 << false << "le cgat dorr";
    QTest::newRow("left without a key") << 3 << true << 60000 << true << "le cgat dorr";
    QTest::newRow("no corrections: Retour arrière refused") << 1 << false << 60000 << false << "le cgat dorr";
}

void TestCopyTest::windowScoresRecordsAndAttests()
{
    QFETCH(int, minutes);
    QFETCH(bool, corrections);
    QFETCH(int, lastTick);
    QFETCH(bool, interrupted);
    QFETCH(QString, copy);
    test::PrompterScope prompts;
    auto printer = std::make_unique<FakePrinter>();
    FakePrinter *printed = printer.get();
    auto previous = ui::setTextPrinter(std::move(printer));
    qint64 now = 5000;
    {
        TEpreuve w;
        w.setClock([&now] { return now; });
        w.setTexts({{u"Essai"_qs, u"le chat\ndort"_qs}});
        w.ComboDuree->setCurrentIndex(w.ComboDuree->findData(minutes));
        w.CaseCorrections->setChecked(corrections);
        w.show();
        w.BoutonCommencer->click();
        QCOMPARE(w.Pages->currentIndex(), 1);
        QTest::keyClicks(w.SaisieEpreuve, copy);
        QTest::keyClick(w.SaisieEpreuve, Qt::Key_Backspace);
        QCOMPARE(w.SaisieEpreuve->toPlainText(), corrections ? copy.chopped(1) : copy);
        if (corrections)
            QTest::keyClick(w.SaisieEpreuve, Qt::Key_R); // typed again
        now += lastTick - 1;
        w.Timer1Timer();
        QVERIFY(w.running());
        now += 1;
        w.Timer1Timer();
        QVERIFY(!w.running());
        QCOMPARE(w.Pages->currentIndex(), 2);
        QCOMPARE(w.interrupted(), interrupted);
        QCOMPARE(w.BoutonAttestation->isEnabled(), !interrupted);
        if (!interrupted) {
            QVERIFY2(w.ResultatEpreuve->text().contains(u"Vitesse nette\u00a0: 0,4\u00a0mots/min"_qs),
                     qPrintable(w.ResultatEpreuve->text()));
            QVERIFY(w.ErreursEpreuve->document()->toRawText().contains(
                u"attendu «\u00a0h\u00a0», tapé «\u00a0g\u00a0»"_qs));
            w.BoutonAttestation->click();
            // The page says which way the result was obtained.
            QCOMPARE(printed->lines.filter(u"sans correction"_qs).size(), corrections ? 0 : 1);
            QCOMPARE(printed->lines.filter(u"corrections permises"_qs).size(), corrections ? 1 : 0);
        } else {
            QVERIFY(w.ResultatEpreuve->text().contains(u"interrompue"_qs));
        }
        const QList<progress::SessionRecord> sessions = progress::journal()->sessions();
        QCOMPARE(sessions.size(), 1);
        QVERIFY(progress::isCopyTest(sessions[0].module, sessions[0].lesson));
        QCOMPARE(sessions[0].lesson, progress::copyTestLesson(corrections)); // kept with the session
        QCOMPARE(sessions[0].completed, std::optional<bool>(!interrupted));
        QCOMPARE(sessions[0].errors, 2);
        // The history lists the test with the attestation's code.
        w.BoutonRecommencer->click();
        QCOMPARE(w.HistoriqueEpreuves->count(), 1);
        const QString entry = w.HistoriqueEpreuves->item(0)->text();
        if (!interrupted) {
            const QString codeLine = printed->lines.filter(u"Code de contrôle"_qs).value(0);
            QVERIFY(!codeLine.isEmpty());
            QVERIFY2(entry.contains(u'[' + codeLine.section(u"\u00a0: "_qs, 1) + u']'), qPrintable(entry));
            QCOMPARE(entry.contains(u"sans correction"_qs), !corrections);
        } else {
            QVERIFY(entry.contains(u"interrompue"_qs));
            QVERIFY(printed->lines.isEmpty());
        }
    }
    ui::setTextPrinter(std::move(previous));
}

QTEST_MAIN(TestCopyTest)
#include "tst_copytest.moc"
