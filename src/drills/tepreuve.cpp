// The timed copy test's window: choice, copy, result.
#include "drills/tepreuve.h"

#include "drills/owntext.h"
#include "progress/journal.h"
#include "progress/lessonfamily.h"
#include "progress/recording.h"
#include "ui/accessories_printer.h"
#include "ui/prompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>
#include <QUuid>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kOwnText = -1; // the item data of « Votre texte... »

double netOf(const progress::SessionRecord &s)
{
    drills::CopyScore score;
    score.typed = s.total();
    score.errors = s.errors;
    score.ms = qint64(s.seconds) * 1000;
    return score.netWpm();
}

double accuracyOf(const progress::SessionRecord &s)
{
    return s.total() > 0 ? 100.0 * s.good / s.total() : 0.0;
}

QString resultText(const progress::SessionRecord &s)
{
    return QStringLiteral("%1 — %2\u00a0min — %3\u00a0mots/min nets, %4\u00a0%%5")
        .arg(QLocale(QLocale::French, QLocale::France).toString(s.start, QStringLiteral("dd/MM/yyyy HH:mm")))
        .arg(s.seconds / 60)
        .arg(drills::frenchDecimal(netOf(s)), drills::frenchDecimal(accuracyOf(s)),
             s.lesson == progress::kCopyTestWithoutCorrectionsLesson ? QStringLiteral(", sans correction")
                                                                     : QString());
}

// The learner whose sessions the journal writes: name and id.
QPair<QString, QString> currentLearner()
{
    progress::Journal *journal = progress::journal();
    if (!journal)
        return {progress::Journal::accountName(), QString()};
    const qint64 id = journal->currentLearner();
    for (const progress::Learner &l : journal->learners())
        if (l.id == id)
            return {l.name, l.uuid};
    return {progress::Journal::accountName(), QString()};
}

} // namespace

TEpreuve::TEpreuve(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TEpreuve"));
    setWindowTitle(QStringLiteral("Épreuve chronométrée"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_clock = [timer = std::make_shared<QElapsedTimer>()] {
        if (!timer->isValid())
            timer->start();
        return timer->elapsed();
    };

    auto *layout = new QVBoxLayout(this);
    Pages = new QStackedWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    layout->addWidget(Pages);

    // The choice.
    auto *setup = new QWidget;
    auto *setupLayout = new QVBoxLayout(setup);
    auto *intro = new QLabel(QStringLiteral(
        "Recopiez le texte pendant le temps choisi. Le chronomètre part à la première touche\u00a0; "
        "ni guide, ni chiffres pendant l'épreuve. Une épreuve quittée avant la fin est interrompue et "
        "ne compte pas."));
    intro->setWordWrap(true);
    setupLayout->addWidget(intro);
    auto *row = new QHBoxLayout;
    ComboDuree = new QComboBox;
    ComboDuree->setObjectName(QStringLiteral("ComboDuree"));
    for (int minutes : drills::kCopyTestMinutes)
        ComboDuree->addItem(QStringLiteral("%1\u00a0min").arg(minutes), minutes);
    auto *durationLabel = new QLabel(QStringLiteral("&Durée\u00a0:"));
    durationLabel->setBuddy(ComboDuree);
    row->addWidget(durationLabel);
    row->addWidget(ComboDuree);
    ComboTexte = new QComboBox;
    ComboTexte->setObjectName(QStringLiteral("ComboTexte"));
    auto *textLabel = new QLabel(QStringLiteral("&Texte\u00a0:"));
    textLabel->setBuddy(ComboTexte);
    row->addWidget(textLabel);
    row->addWidget(ComboTexte, 1);
    setupLayout->addLayout(row);
    CaseCorrections = new QCheckBox(QStringLiteral("&Corrections permises (Retour arrière)"));
    CaseCorrections->setObjectName(QStringLiteral("CaseCorrections"));
    CaseCorrections->setChecked(true);
    setupLayout->addWidget(CaseCorrections);
    setupLayout->addWidget(
        new QLabel(QStringLiteral("Épreuves passées (code de contrôle entre crochets)\u00a0:")));
    HistoriqueEpreuves = new QListWidget;
    HistoriqueEpreuves->setObjectName(QStringLiteral("HistoriqueEpreuves"));
    setupLayout->addWidget(HistoriqueEpreuves, 1);
    BoutonCommencer = new QPushButton(QStringLiteral("C&ommencer"));
    BoutonCommencer->setObjectName(QStringLiteral("BoutonCommencer"));
    BoutonCommencer->setDefault(true);
    setupLayout->addWidget(BoutonCommencer, 0, Qt::AlignRight);
    Pages->addWidget(setup);

    // The copy.
    auto *test = new QWidget;
    auto *testLayout = new QVBoxLayout(test);
    LabelTemps = new QLabel;
    LabelTemps->setObjectName(QStringLiteral("LabelTemps"));
    testLayout->addWidget(LabelTemps);
    ModeleEpreuve = new QTextEdit;
    ModeleEpreuve->setObjectName(QStringLiteral("ModeleEpreuve"));
    ModeleEpreuve->setReadOnly(true);
    ModeleEpreuve->setFocusPolicy(Qt::NoFocus);
    testLayout->addWidget(ModeleEpreuve, 1);
    SaisieEpreuve = new QPlainTextEdit;
    SaisieEpreuve->setObjectName(QStringLiteral("SaisieEpreuve"));
    SaisieEpreuve->setAccessibleName(QStringLiteral("Votre copie"));
    // A copy is typed: nothing pasted, dropped or offered by a menu.
    SaisieEpreuve->setAcceptDrops(false);
    SaisieEpreuve->setContextMenuPolicy(Qt::NoContextMenu);
    SaisieEpreuve->installEventFilter(this);
    testLayout->addWidget(SaisieEpreuve, 1);
    Pages->addWidget(test);

    // The result.
    auto *result = new QWidget;
    auto *resultLayout = new QVBoxLayout(result);
    ResultatEpreuve = new QLabel;
    ResultatEpreuve->setObjectName(QStringLiteral("ResultatEpreuve"));
    ResultatEpreuve->setWordWrap(true);
    ResultatEpreuve->setTextFormat(Qt::PlainText);
    resultLayout->addWidget(ResultatEpreuve);
    ErreursEpreuve = new QTextEdit;
    ErreursEpreuve->setObjectName(QStringLiteral("ErreursEpreuve"));
    ErreursEpreuve->setReadOnly(true);
    resultLayout->addWidget(ErreursEpreuve, 1);
    auto *buttons = new QHBoxLayout;
    BoutonAttestation = new QPushButton(QStringLiteral("&Attestation..."));
    BoutonAttestation->setObjectName(QStringLiteral("BoutonAttestation"));
    BoutonOuvrirLecon = new QPushButton;
    BoutonOuvrirLecon->setObjectName(QStringLiteral("BoutonOuvrirLecon"));
    BoutonRecommencer = new QPushButton(QStringLiteral("&Nouvelle épreuve"));
    BoutonRecommencer->setObjectName(QStringLiteral("BoutonRecommencer"));
    BoutonFermer = new QPushButton(QStringLiteral("&Fermer"));
    BoutonFermer->setObjectName(QStringLiteral("BoutonFermer"));
    buttons->addStretch(1);
    buttons->addWidget(BoutonOuvrirLecon);
    buttons->addWidget(BoutonAttestation);
    buttons->addWidget(BoutonRecommencer);
    buttons->addWidget(BoutonFermer);
    resultLayout->addLayout(buttons);
    Pages->addWidget(result);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &TEpreuve::Timer1Timer);
    connect(BoutonCommencer, &QPushButton::clicked, this, &TEpreuve::BoutonCommencerClick);
    connect(BoutonAttestation, &QPushButton::clicked, this, &TEpreuve::BoutonAttestationClick);
    connect(BoutonRecommencer, &QPushButton::clicked, this, &TEpreuve::showSetup);
    connect(BoutonOuvrirLecon, &QPushButton::clicked, this, [this] {
        close();
        emit placementChosen(m_placement.module, m_placement.lesson);
    });
    connect(BoutonFermer, &QPushButton::clicked, this, &QWidget::close);
    resize(720, 520);
    showSetup();
}

void TEpreuve::setTexts(const QList<QPair<QString, QString>> &texts)
{
    m_texts = texts;
    ComboTexte->clear();
    for (int i = 0; i < texts.size(); ++i)
        ComboTexte->addItem(texts.at(i).first, i);
    ComboTexte->addItem(QStringLiteral("Votre texte..."), kOwnText);
}

QList<progress::SessionRecord> TEpreuve::pastTests() const
{
    QList<progress::SessionRecord> tests;
    if (progress::Journal *journal = progress::journal())
        for (const progress::SessionRecord &s : journal->sessions(progress::kExercisesModule))
            if (progress::isCopyTest(s.module, s.lesson))
                tests.append(s);
    return tests;
}

void TEpreuve::showSetup()
{
    Timer1->stop();
    m_running = false;
    m_placementMode = false;
    setWindowTitle(QStringLiteral("Épreuve chronométrée"));
    HistoriqueEpreuves->clear();
    const QString learner = currentLearner().second;
    const QList<progress::SessionRecord> tests = pastTests();
    for (auto it = tests.crbegin(); it != tests.crend(); ++it) {
        if (!it->completed.value_or(false)) {
            HistoriqueEpreuves->addItem(
                QStringLiteral("%1 — interrompue")
                    .arg(QLocale(QLocale::French, QLocale::France)
                             .toString(it->start, QStringLiteral("dd/MM/yyyy HH:mm"))));
            continue;
        }
        const QString code =
            drills::attestationCode(learner, it->uuid, qRound(netOf(*it) * 10), qRound(accuracyOf(*it) * 10));
        HistoriqueEpreuves->addItem(QStringLiteral("%1 [%2]").arg(resultText(*it), code));
    }
    Pages->setCurrentIndex(0);
    ComboDuree->setFocus();
}

void TEpreuve::BoutonCommencerClick()
{
    const int choice = ComboTexte->currentData().toInt();
    if (choice == kOwnText) {
        const QString path = ui::prompter().openFileName(
            this, QStringLiteral("Fichiers texte (*.txt)|*.txt|Tous les fichiers (*)|*"),
            QStringLiteral("txt"));
        if (path.isEmpty())
            return;
        const owntext::Text text = owntext::readFile(path);
        if (!text.ok()) {
            ui::prompter().error(this, text.error);
            return;
        }
        startTest(text.title, text.text);
    } else if (choice >= 0 && choice < m_texts.size()) {
        startTest(m_texts.at(choice).first, m_texts.at(choice).second);
    }
}

void TEpreuve::startPlacement()
{
    if (m_running)
        return;
    m_placementMode = true;
    setWindowTitle(QStringLiteral("Test de niveau"));
    ComboDuree->setCurrentIndex(ComboDuree->findData(drills::kPlacementMinutes));
    CaseCorrections->setChecked(true);
    startTest(QStringLiteral("Test de niveau"), drills::placementText());
}

void TEpreuve::startTest(const QString &title, const QString &text)
{
    m_model = drills::copyTestModel(text);
    if (m_model.isEmpty()) {
        ui::prompter().error(this, QStringLiteral("Ce texte est vide\u00a0: choisissez-en un autre."));
        return;
    }
    m_title = title;
    m_minutes = ComboDuree->currentData().toInt();
    m_corrections = CaseCorrections->isChecked();
    m_running = true;
    m_started = false;
    m_interrupted = false;
    m_keystrokes = 0;
    m_score = drills::CopyScore();
    m_recordError.clear();
    m_wasActive = isActiveWindow();
    // Enough of the model for a fast typist; the placement text is typed
    // once, as far as the learner can.
    ModeleEpreuve->setPlainText(m_placementMode ? m_model : drills::wrappedModel(m_model, 2000));
    SaisieEpreuve->clear();
    LabelTemps->setText(
        QStringLiteral("Temps\u00a0: %1\u00a0min. Le chronomètre part à la première touche.").arg(m_minutes));
    Pages->setCurrentIndex(1);
    SaisieEpreuve->setFocus();
}

void TEpreuve::showTimeLeft(qint64 now)
{
    const qint64 left = std::max<qint64>(0, m_minutes * 60000LL - (now - m_startMs));
    const qint64 seconds = (left + 999) / 1000;
    LabelTemps->setText(QStringLiteral("Temps restant\u00a0: %1:%2")
                            .arg(seconds / 60)
                            .arg(seconds % 60, 2, 10, QLatin1Char('0')));
}

// The first key starts the clock; every key counts, and restarts the wait
// after which the learner has left.
void TEpreuve::countKey()
{
    const qint64 now = m_clock();
    if (!m_started) {
        m_started = true;
        m_startMs = now;
        m_startTime = QDateTime::currentDateTime();
        Timer1->start();
    }
    m_lastKeyMs = now;
    ++m_keystrokes;
}

bool TEpreuve::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != SaisieEpreuve || !m_running)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool correction = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
        const bool moves = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                           key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                           key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
                           key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown;
        // Nothing pasted, and without corrections no key that goes back.
        if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) ||
            (key->key() == Qt::Key_Insert && key->modifiers() & Qt::ShiftModifier) ||
            (!m_corrections && (correction || moves)) || key->key() == Qt::Key_Tab)
            return true;
        if (key->text().isEmpty() && !correction && key->key() != Qt::Key_Return &&
            key->key() != Qt::Key_Enter)
            return false;
        countKey();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            SaisieEpreuve->insertPlainText(QStringLiteral(" ")); // the copy runs on, as the model
            return true;
        }
    } else if (event->type() == QEvent::InputMethod) {
        if (!static_cast<QInputMethodEvent *>(event)->commitString().isEmpty())
            countKey(); // a dead key's character
    }
    return QWidget::eventFilter(watched, event);
}

void TEpreuve::Timer1Timer()
{
    if (!m_running || !m_started)
        return;
    const qint64 now = m_clock();
    const QString copy = SaisieEpreuve->toPlainText();
    // The placement test ends with its text, or once the errors say enough.
    if (now - m_startMs >= m_minutes * 60000LL ||
        (m_placementMode && (copy.size() >= m_model.size() || drills::placementSaysEnough(copy))))
        finish(false);
    else if (now - m_lastKeyMs >= drills::kIdleLimitMs)
        finish(true);
    else
        showTimeLeft(now);
}

void TEpreuve::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (!m_running)
        return;
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            m_wasActive = true;
        else if (m_wasActive)
            finish(true); // another window took the keys
    } else if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        finish(true);
    }
}

void TEpreuve::closeEvent(QCloseEvent *event)
{
    if (m_running)
        finish(true);
    QWidget::closeEvent(event);
}

void TEpreuve::finish(bool interrupted)
{
    if (!m_running)
        return;
    m_running = false;
    Timer1->stop();
    m_interrupted = interrupted;
    const qint64 now = m_clock();
    const qint64 duration = m_minutes * 60000LL;
    const qint64 elapsed = m_started ? std::min(duration, now - m_startMs) : 0;
    const QString copy = SaisieEpreuve->toPlainText();
    // A finished copy test lasts its whole time, whatever the last key; the
    // placement test, the time it took.
    m_score =
        drills::scoreCopy(m_model, copy, m_keystrokes, interrupted || m_placementMode ? elapsed : duration);
    if (m_placementMode)
        m_placement = drills::placementOf(copy);
    if (m_started) {
        progress::SessionRecord s;
        s.start = m_startTime;
        s.end = m_startTime.addMSecs(elapsed);
        s.module = progress::kExercisesModule;
        s.lesson = m_placementMode ? progress::kPlacementLesson : progress::copyTestLesson(m_corrections);
        s.good = std::int32_t(m_score.typed - m_score.errors);
        s.errors = m_score.errors;
        s.seconds = m_placementMode ? std::int32_t(elapsed / 1000) : m_minutes * 60;
        s.typingMs = elapsed;
        s.title = m_placementMode ? QStringLiteral("%1:%2").arg(m_placement.module).arg(m_placement.lesson)
                                  : m_title;
        s.completed = !interrupted;
        s.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        m_session = s;
        if (progress::Journal *journal = progress::journal(); journal && !journal->record(s))
            m_recordError = journal->lastError();
    }
    showResult();
}

void TEpreuve::showResult()
{
    QStringList lines;
    BoutonOuvrirLecon->setVisible(m_placementMode && !m_interrupted && m_started);
    BoutonAttestation->setVisible(!m_placementMode);
    if (m_placementMode && !m_interrupted) {
        lines << m_placement.advice + QLatin1Char('.');
        BoutonOuvrirLecon->setText(m_placement.module == progress::kExercisesModule
                                       ? QStringLiteral("&Ouvrir l'exercice %1").arg(m_placement.lesson)
                                       : QStringLiteral("&Ouvrir les textes"));
    } else if (m_interrupted && m_placementMode) {
        lines << QStringLiteral("Test de niveau interrompu\u00a0: recommencez-le quand vous voudrez.");
    } else if (m_interrupted) {
        lines << QStringLiteral(
            "Épreuve interrompue\u00a0: elle est gardée comme telle et ne compte pas comme "
            "résultat.");
    } else {
        lines << QStringLiteral("Épreuve de %1\u00a0min terminée, %2.")
                     .arg(m_minutes)
                     .arg(m_corrections ? QStringLiteral("corrections permises")
                                        : QStringLiteral("sans correction"))
              << QStringLiteral("Vitesse nette\u00a0: %1\u00a0mots/min (brute\u00a0: %2\u00a0mots/min)")
                     .arg(drills::frenchDecimal(m_score.netWpm()), drills::frenchDecimal(m_score.grossWpm()))
              << QStringLiteral("Frappes\u00a0: %1 par minute").arg(qRound(m_score.keysPerMinute()))
              << QStringLiteral("Précision\u00a0: %1\u00a0%, %2 erreur(s) non corrigée(s) sur %3 caractères")
                     .arg(drills::frenchDecimal(m_score.accuracy()))
                     .arg(m_score.errors)
                     .arg(m_score.typed);
        // Best and previous results, this one aside.
        double best = -1;
        QString previous;
        for (const progress::SessionRecord &s : pastTests()) {
            if (s.uuid == m_session.uuid || !s.completed.value_or(false))
                continue;
            best = std::max(best, netOf(s));
            previous = resultText(s);
        }
        if (best >= 0)
            lines << QStringLiteral("Meilleur résultat\u00a0: %1\u00a0mots/min nets. Précédent\u00a0: %2")
                         .arg(drills::frenchDecimal(best), previous);
        else
            lines << QStringLiteral("C'est votre première épreuve chronométrée.");
    }
    if (!m_recordError.isEmpty())
        lines << m_recordError;
    ResultatEpreuve->setText(lines.join(u'\n'));

    // The errors in the text: what was expected, what was typed.
    QStringList errors;
    for (const drills::CopyError &e : m_score.errorList) {
        const auto shown = [](QChar c) {
            return c.isNull() ? QStringLiteral("rien") : c == u' ' ? QStringLiteral("espace") : QString(c);
        };
        errors << QStringLiteral("Caractère %1\u00a0: attendu «\u00a0%2\u00a0», tapé «\u00a0%3\u00a0»")
                      .arg(e.position + 1)
                      .arg(shown(e.expected), shown(e.typed));
    }
    ErreursEpreuve->setPlainText(errors.isEmpty() ? QStringLiteral("Aucune erreur non corrigée.")
                                                  : errors.join(u'\n'));
    BoutonAttestation->setEnabled(!m_interrupted && m_started);
    Pages->setCurrentIndex(2);
    (m_placementMode && BoutonOuvrirLecon->isVisible() ? BoutonOuvrirLecon
     : m_interrupted || m_placementMode                ? BoutonRecommencer
                                                       : BoutonAttestation)
        ->setFocus();
}

void TEpreuve::BoutonAttestationClick()
{
    if (m_interrupted || !m_started)
        return;
    const auto [name, uuid] = currentLearner();
    drills::Attestation a;
    a.learner = name;
    a.when = m_session.start;
    a.minutes = m_minutes;
    a.corrections = m_corrections;
    a.text = m_model;
    a.netWpm = m_score.netWpm();
    a.accuracy = m_score.accuracy();
    a.code = drills::attestationCode(uuid, m_session.uuid, qRound(a.netWpm * 10), qRound(a.accuracy * 10));
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(12);
    ui::printOrSavePdf(this, drills::attestationLines(a), font, QStringLiteral("Attestation Tapivox"));
}
