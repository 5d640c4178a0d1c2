// TExos: key-group exercises, three model lines to copy per exercise, and the
// review made of the learner's weakest characters.
#include "drills/texos.h"

#include "drills/exerciseinstruction.h"
#include "drills/exercisetexts.h"
#include "keymodel/keymodel.h"
#include "progress/journal.h"
#include "progress/objective.h"
#include "progress/recording.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

namespace {

// A longer wait is a pause, not the time the key took.
constexpr qint64 kPauseMs = 5000;

} // namespace

TExos::TExos(QWidget *parent)
    : DrillWindow(QStringLiteral("TExos"), 2, 5, Look{QColor(0x00, 0x80, 0x80), 31, 20, QString()}, parent)
{
    setWindowTitle(QStringLiteral("Exercices"));
    nameForScreenReader({QStringLiteral("ligne"), QStringLiteral("Tapez ici le modèle de la ligne au-dessus"),
                         QStringLiteral("Consigne de l'exercice")});
    // Runs until the first SetIni stops it.
    Timer1->start();
    m_drill.setAcceptance(
        [](QChar c) { return keyboard::acceptance(keyboard::LiveKeyModel::instance().model(), c); });
    // The keys named by the French exercises follow the learner's layout.
    connect(&keyboard::LiveKeyModel::instance(), &keyboard::LiveKeyModel::changed, this, [this] {
        if (drills::exerciseKeys(GetIni()))
            showInstruction(drills::liveInstruction(GetIni()));
    });
}

// A line told from another layout can be longer than the written ones: it
// takes a smaller type, on two lines down to the score line if need be,
// rather than run past the window.
void TExos::showInstruction(const QString &text)
{
    QFont font = Label1->font();
    font.setPixelSize(kInstructionPixels);
    const int width = Label1->width();
    const bool oneLine = QFontMetrics(font).horizontalAdvance(text) <= width;
    if (!oneLine) {
        const int room = Label2->y() - Label1->y();
        while (font.pixelSize() > kSmallestInstructionPixels &&
               QFontMetrics(font).boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap, text).height() >
                   room)
            font.setPixelSize(font.pixelSize() - 1);
        Label1->resize(width, room);
    } else {
        Label1->resize(width, kInstructionHeight);
    }
    Label1->setWordWrap(!oneLine);
    Label1->setFont(font);
    Label1->setText(text);
}

void TExos::SetIni(std::int32_t code)
{
    LessonWindow::SetIni(code);
    m_drill.resetCounts();
    showScore();
    m_reviewing = false;
    if (const drills::ExerciseText *exercise = drills::exerciseText(code)) {
        showInstruction(drills::exerciseKeys(code) ? drills::liveInstruction(code)
                                                   : QString::fromUtf8(exercise->instruction));
        for (int i = 0; i < drills::LineDrill::LineCount; ++i)
            m_drill.setModel(i, QString::fromUtf8(exercise->models[i]));
    } else if (code == kReviewCode) {
        startReview();
    }
    m_drill.restart();
    showDrill();
    focusLine(0);
    Timer1->stop();
}

// The session just ended is in the journal already (SetIni recorded it).
drills::Review &TExos::reviewer() const
{
    if (!m_review) {
        m_review = std::make_unique<drills::Review>();
        // The layout is read when the review starts, never at start-up.
        m_review->setTypable([](QChar c) {
            return !keyboard::acceptance(keyboard::LiveKeyModel::instance().model(), c).skipped();
        });
    }
    return *m_review;
}

void TExos::startReview()
{
    QList<progress::KeyStat> keys;
    QList<progress::Confusion> confusions;
    QList<std::int32_t> passed;
    if (progress::Journal *journal = progress::journal()) {
        keys = journal->recentKeyStats(kReviewSessions);
        confusions = journal->confusions(kReviewSessions);
        passed = journal->passedExercises();
    }
    // Until the exercises have taught a character, the review's words leave it out.
    reviewer().setTaught(drills::taughtCharacters(passed));
    reviewer().start(keys, confusions, QRandomGenerator::global()->generate(), m_reviewed);
    m_reviewed = true;
    m_reviewing = true;
    m_lineCounts.clear();
    m_lastKeyMs = -1;
    Label1->setText(reviewer().instruction());
    for (int i = 0; i < drills::LineDrill::LineCount; ++i)
        m_drill.setModel(i, reviewer().nextLine());
}

drills::Verdict TExos::judge(int line, int caret, quint8 key)
{
    const QString expected = m_drill.model(line).mid(caret - m_drill.standInTyped(), 1);
    const drills::Verdict v = DrillWindow::judge(line, caret, key);
    if (!m_reviewing || expected.isEmpty() || v.partial)
        return v;
    progress::KeyStat &count = m_lineCounts[expected];
    count.key = expected;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (v.accepted) {
        ++count.typed;
        if (m_lastKeyMs >= 0 && now - m_lastKeyMs <= kPauseMs) {
            count.ms += now - m_lastKeyMs;
            ++count.timed;
        }
    } else {
        ++count.missed;
    }
    m_lastKeyMs = now;
    if (v.completed) {
        reviewer().lineDone(m_lineCounts);
        m_lineCounts.clear();
    }
    return v;
}
