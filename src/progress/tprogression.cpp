// The progression window.
#include "progress/tprogression.h"

#include "progress/azertymap.h"
#include "progress/objective.h"
#include "progress/progresschart.h"
#include "ui/prompter.h"
#include "ui/screenfit.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

QTableWidget *makeTable(QWidget *parent, const char *name, const QStringList &headers)
{
    auto *table = new QTableWidget(0, int(headers.size()), parent);
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    // Each column as wide as what it shows; the room left stays empty
    // rather than widen one column of figures.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(false);
    // Rows as high as a line of text: more sessions in sight.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
}

void setRow(QTableWidget *table, int row, const QStringList &cells)
{
    for (int c = 0; c < cells.size(); ++c) {
        auto *item = new QTableWidgetItem(cells[c]);
        if (c >= (table->columnCount() < 7 ? 1 : 2)) // figures to the right
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, c, item);
    }
}

QString percent(double value)
{
    return QLocale(QLocale::French, QLocale::France).toString(value, 'f', 1) + QStringLiteral("\u00a0%");
}

QString duration(qint64 seconds)
{
    return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// A character as the learner reads it in a list.
QString shownKey(const QString &key)
{
    if (key == QLatin1String(" "))
        return QStringLiteral("Espace");
    if (key == QStringLiteral("\u00a0"))
        return QStringLiteral("Espace insécable");
    if (key == QLatin1String("\t"))
        return QStringLiteral("Tabulation");
    if (key == QLatin1String("\r") || key == QLatin1String("\n"))
        return QStringLiteral("Entrée");
    return key;
}

} // namespace

TProgression::TProgression(QList<progress::LessonFamily> families, QWidget *parent)
    : QDialog(parent)
    , m_families(std::move(families))
{
    setObjectName(QStringLiteral("TProgression"));
    setWindowTitle(QStringLiteral("Progression"));
    setModal(true);
    resize(860, 640);

    // Everything but the buttons scrolls when the screen is too small for
    // it, so that « Fermer » is always in sight.
    auto *outer = new QVBoxLayout(this);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget(scroll);
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *top = new QHBoxLayout;
    auto *label1 = new QLabel(QStringLiteral("&Leçons\u00a0:"), content);
    label1->setObjectName(QStringLiteral("Label1"));
    ComboBox1 = new QComboBox(content);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (const progress::LessonFamily &family : m_families)
        ComboBox1->addItem(family.name, family.module);
    ComboBox1->addItem(QStringLiteral("Votre texte"), kOwnTexts);
    label1->setBuddy(ComboBox1);
    top->addWidget(label1);
    top->addWidget(ComboBox1);
    top->addStretch(1);
    layout->addLayout(top);

    Chart1 = new progress::ProgressChart(content);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    auto *chartRow = new QHBoxLayout;
    chartRow->addWidget(Chart1, 3);
    // The path takes the width of its names; the chart, the rest.
    Parcours1 =
        makeTable(content, "Parcours1", {QStringLiteral("Exercice"), QStringLiteral("Objectif 95\u00a0%")});
    Parcours1->setAccessibleName(QStringLiteral("Parcours des exercices"));
    Parcours1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Parcours1->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    Parcours1->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    Parcours1->hide();
    chartRow->addWidget(Parcours1);
    layout->addLayout(chartRow, 2);

    auto *label2 = new QLabel(QStringLiteral("Séances récentes"), content);
    label2->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(label2);
    StringGrid1 =
        makeTable(content, "StringGrid1",
                  {QStringLiteral("Date et heure"), QStringLiteral("Leçon"), QStringLiteral("Frappes"),
                   QStringLiteral("Erreurs"), QStringLiteral("% d'erreurs"), QStringLiteral("Durée"),
                   QStringLiteral("Frappes par minute")});
    layout->addWidget(StringGrid1, 5);

    auto *label3 = new QLabel(QStringLiteral("Caractères les plus souvent manqués"), content);
    label3->setObjectName(QStringLiteral("Label3"));
    auto *missed = new QHBoxLayout;
    missed->addWidget(label3, 1);
    Reviser1 = new QPushButton(QStringLiteral("Réviser ces caractères"), this);
    Reviser1->setObjectName(QStringLiteral("Reviser1"));
    Reviser1->setAutoDefault(false);
    missed->addWidget(Reviser1);
    layout->addLayout(missed);
    auto *keys = new QHBoxLayout;
    StringGrid2 = makeTable(content, "StringGrid2",
                            {QStringLiteral("Caractère"), QStringLiteral("Manqué"), QStringLiteral("Demandé"),
                             QStringLiteral("Taux d'erreur")});
    StringGrid2->setMinimumWidth(300);
    keys->addWidget(StringGrid2, 3);
    Keyboard1 = new progress::KeyboardMap(content);
    Keyboard1->setObjectName(QStringLiteral("Keyboard1"));
    keys->addWidget(Keyboard1, 2);
    layout->addLayout(keys, 2);

    Label4 = new QLabel(content);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);
    Label4->setTextFormat(Qt::PlainText); // it names files, whose names anyone may choose
    Label4->hide();
    layout->addWidget(Label4);

    auto *buttons = new QHBoxLayout;
    Button2 = new QPushButton(QStringLiteral("Effacer l'historique..."), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    Button1 = new QPushButton(QStringLiteral("Fermer"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    outer->addLayout(buttons);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Reviser1, &QPushButton::clicked, this, [this] { Reviser1Click(); });
}

void TProgression::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ui::fitWindowToScreen(this);
}

QString TProgression::familyName(int module) const
{
    for (const progress::LessonFamily &family : m_families)
        if (family.module == module)
            return family.name;
    return {};
}

QString TProgression::lessonName(int module, std::int32_t lesson) const
{
    if (progress::isCopyTest(module, lesson))
        return lesson == progress::kCopyTestWithoutCorrectionsLesson
                   ? QStringLiteral("Épreuve chronométrée sans correction")
                   : QStringLiteral("Épreuve chronométrée");
    if (progress::isPlacement(module, lesson))
        return QStringLiteral("Test de niveau");
    for (const progress::LessonFamily &family : m_families)
        if (family.module == module)
            for (const auto &[code, name] : family.lessons)
                if (code == lesson)
                    return name;
    return QStringLiteral("%1 %2").arg(familyName(module)).arg(lesson);
}

QString TProgression::sessionName(const progress::SessionRecord &session) const
{
    if (!inFamily(session, kOwnTexts))
        return lessonName(session.module, session.lesson);
    return session.title.isEmpty() ? QStringLiteral("Votre texte")
                                   : QStringLiteral("Votre texte\u00A0: %1").arg(session.title);
}

bool TProgression::inFamily(const progress::SessionRecord &session, int family)
{
    if (family == kOwnTexts)
        return progress::isOwnText(session.module, session.lesson);
    return session.module == family;
}

void TProgression::Init(progress::Journal *journal, const QList<progress::SessionRecord> &pending)
{
    m_journal = journal;
    m_pending = pending;
    refresh();
}

void TProgression::showModule(int module)
{
    const int index = ComboBox1->findData(module);
    if (index >= 0 && index != ComboBox1->currentIndex())
        ComboBox1->setCurrentIndex(index); // refreshes
}

int TProgression::module() const
{
    return ComboBox1->currentData().toInt();
}

void TProgression::ComboBox1Change()
{
    refresh();
}

void TProgression::Button2Click()
{
    if (!m_journal)
        return;
    if (!ui::prompter().askYesNo(this,
                                 QStringLiteral("Effacer tout l'historique de progression\u00a0? Les séances "
                                                "enregistrées seront perdues.")))
        return;
    if (!m_journal->clear())
        ui::prompter().error(this, m_journal->lastError() + QLatin1Char('.'));
    refresh();
}

void TProgression::refresh()
{
    const int family = module();
    QList<progress::SessionRecord> sessions;
    QList<progress::KeyStat> stats;
    QString problem;
    // The learner's own texts are text lessons: the journal gives them with
    // the others, and they are picked out here.
    const bool own = family == kOwnTexts;
    // The exercises' path needs every session, not only the chart's.
    const bool path = family == progress::kExercisesModule;
    if (m_journal) {
        sessions = m_journal->sessions(own ? progress::kTextModule : family, own || path ? -1 : kChartPoints);
        if (own)
            sessions.removeIf([](const progress::SessionRecord &s) { return !inFamily(s, kOwnTexts); });
        stats = m_journal->keyStats(own ? progress::kTextModule : family);
        problem = m_journal->lastError();
        if (problem.isEmpty() && !m_journal->setAside().isEmpty())
            problem = QStringLiteral("L'historique endommagé a été mis de côté sous le nom «\u00a0%1\u00a0»")
                          .arg(QDir::toNativeSeparators(m_journal->setAside()));
    }
    // Sessions in progress are not recorded yet; they show after the others.
    for (const progress::SessionRecord &s : m_pending) {
        if (!inFamily(s, family))
            continue;
        sessions.append(s);
        for (auto it = s.keys.cbegin(); it != s.keys.cend(); ++it) {
            bool found = false;
            for (progress::KeyStat &k : stats)
                if (k.key == it.key()) {
                    k.typed += it.value().typed;
                    k.missed += it.value().missed;
                    found = true;
                }
            if (!found)
                stats.append({it.key(), it.value().typed, it.value().missed});
        }
    }
    std::stable_sort(stats.begin(), stats.end(), [](const progress::KeyStat &a, const progress::KeyStat &b) {
        return a.missed != b.missed ? a.missed > b.missed : a.errorRate() > b.errorRate();
    });
    // A journal that could not be read shows no path.
    const bool pathShown = path && m_journal && problem.isEmpty();
    Parcours1->setVisible(pathShown);
    if (pathShown)
        showPath(sessions);
    while (sessions.size() > kChartPoints)
        sessions.removeFirst();
    Chart1->setSessions(sessions);

    const QLocale french(QLocale::French, QLocale::France);
    const int rows = int(std::min<qsizetype>(sessions.size(), kRecentRows));
    StringGrid1->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const progress::SessionRecord &s = sessions[sessions.size() - 1 - r]; // newest first
        const double speed = s.speed();
        setRow(StringGrid1, r,
               {french.toString(s.start, QStringLiteral("dd/MM/yyyy HH:mm")), sessionName(s),
                QString::number(s.total()), QString::number(s.errors), percent(s.errorPercent()),
                duration(s.durationSeconds()),
                speed > 0 ? QString::number(qRound(speed)) : QStringLiteral("—")});
    }

    QList<progress::KeyStat> missed;
    for (const progress::KeyStat &k : stats)
        if (k.missed > 0 && missed.size() < kMissedRows)
            missed.append(k);
    StringGrid2->setRowCount(int(missed.size()));
    for (int r = 0; r < missed.size(); ++r)
        setRow(StringGrid2, r,
               {shownKey(missed[r].key), QString::number(missed[r].missed),
                QString::number(missed[r].typed + missed[r].missed), percent(missed[r].errorRate() * 100)});

    // The keyboard: each key's rate over all the characters it types.
    const qsizetype keyCount = qsizetype(progress::azertyKeys().size());
    QList<double> typed(keyCount, 0), lost(keyCount, 0);
    for (const progress::KeyStat &k : stats) {
        const int key = progress::keyOf(k.key);
        if (key < 0)
            continue;
        typed[key] += k.typed;
        lost[key] += k.missed;
    }
    QList<double> rates(keyCount, -1);
    for (qsizetype i = 0; i < keyCount; ++i)
        if (typed[i] + lost[i] > 0)
            rates[i] = lost[i] / (typed[i] + lost[i]);
    Keyboard1->setRates(rates);

    Label4->setText(problem.isEmpty() ? QString() : problem + QLatin1Char('.'));
    Label4->setVisible(!problem.isEmpty());
    Button2->setEnabled(m_journal != nullptr);
}

void TProgression::showPath(const QList<progress::SessionRecord> &sessions)
{
    QList<QPair<std::int32_t, QString>> lessons;
    for (const progress::LessonFamily &family : m_families)
        if (family.module == progress::kExercisesModule)
            lessons = family.lessons;
    // Whole percents, as the objective is judged, over the sessions typed to
    // their end; an exercise only begun says so.
    QHash<std::int32_t, int> best;
    QSet<std::int32_t> begun;
    QSet<std::int32_t> reached;
    for (const progress::SessionRecord &s : sessions) {
        if (s.total() <= 0)
            continue;
        if (!s.completed.value_or(true)) {
            begun.insert(s.lesson);
            continue;
        }
        best[s.lesson] = std::max(best.value(s.lesson, -1), progress::accuracyPercent(s));
        if (progress::reachedObjective(s))
            reached.insert(s.lesson);
    }
    Parcours1->setRowCount(int(lessons.size()));
    for (int r = 0; r < lessons.size(); ++r) {
        const auto &[code, name] = lessons[r];
        const int accuracy = best.value(code, -1);
        // The best accuracy, marked when it reached the objective.
        QString shown = QStringLiteral("%1\u00a0%").arg(accuracy);
        if (accuracy < 0)
            shown = begun.contains(code) ? QStringLiteral("inachevé") : QStringLiteral("—");
        setRow(Parcours1, r, {name, reached.contains(code) ? QStringLiteral("✓ ") + shown : shown});
    }
}

void TProgression::Reviser1Click()
{
    accept();
    emit reviewRequested();
}
