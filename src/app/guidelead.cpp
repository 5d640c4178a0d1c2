// The guide band's figures, flash and lesson end.
#include "app/guidelead.h"

#include "app/lesson/lessonwindow.h"
#include "guide/guideband.h"
#include "guide/lessonend.h"
#include "guide/resultpanel.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// Light enough for the black characters to stay readable.
const QColor kFlashColour(0xFF, 0x8C, 0x8C);

} // namespace

GuideLead::GuideLead(guide::GuideBand *band, LessonAction lessonAction, QObject *parent)
    : QObject(parent)
    , m_lessonAction(std::move(lessonAction))
    , m_band(band)
{
    m_panel = new guide::ResultPanel(band);
    band->column()->addWidget(m_panel);
    // At the end of a lesson the sentence has nothing to name.
    m_panel->giveRoom({band->consigne()->parentWidget()});
    m_clock.start();
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, &GuideLead::tick);
    m_flashEnd.setSingleShot(true);
    m_flashEnd.setInterval(kFlashMs);
    connect(&m_flashEnd, &QTimer::timeout, this, &GuideLead::endFlash);
    connect(m_panel, &guide::ResultPanel::restartClicked, this, [this] {
        if (m_active)
            m_active->SetIni(m_active->GetIni());
    });
    connect(m_panel, &guide::ResultPanel::nextClicked, this, &GuideLead::goOn);
}

void GuideLead::follow(LessonWindow *w)
{
    connect(w, &LessonWindow::keyJudged, this,
            [this, w](std::int32_t good, std::int32_t errors) { judged(w, good, errors); });
    connect(w, &LessonWindow::lessonStarted, this, [this, w] {
        if (w == m_active)
            restart();
    });
    // After the key that ended the lesson has gone into its line.
    connect(
        w, &LessonWindow::lessonCompleted, this, [this, w](bool inPlace) { completed(w, inPlace); },
        Qt::QueuedConnection);
}

void GuideLead::setActive(LessonWindow *w, bool shown)
{
    if (w && w != m_active) {
        m_active = w;
        restart();
    }
    m_shown = shown;
    m_caretRest.setEnabled(shown);
    if (!shown) {
        m_tick.stop();
        endFlash();
    }
}

void GuideLead::restart()
{
    m_goesOn = false;
    m_figures.reset();
    m_tick.stop();
    m_panel->clearResult();
    m_panel->showFigures(QString());
}

// Per key: counts and a time, a flash at a refused key; the figures wait for
// the timer.
void GuideLead::judged(LessonWindow *w, std::int32_t good, std::int32_t errors)
{
    if (w != m_active || !m_shown)
        return;
    const bool first = !m_figures.started();
    m_figures.judged(good, errors, m_clock.elapsed());
    if (m_panel->showsResult() && m_goesOn)
        m_panel->clearResult();
    if (errors > 0)
        flash(w);
    if (!m_tick.isActive()) {
        m_tick.start();
        if (first)
            tick();
    }
}

void GuideLead::tick()
{
    const qint64 now = m_clock.elapsed();
    m_panel->showFigures(m_figures.at(now).text());
    if (m_figures.paused(now))
        m_tick.stop();
}

void GuideLead::completed(LessonWindow *w, bool nextPageInPlace)
{
    if (w != m_active || !m_shown || !m_figures.started())
        return;
    const guide::NextLesson next = guide::nextLesson(
        w->moduleCode(), w->GetIni(), nextPageInPlace,
        [this](int module, std::int32_t code) { return m_lessonAction(module, code) != nullptr; });
    // The session as the journal keeps it, so that the progression shows
    // the same figures for it.
    const auto session = w->sessionSoFar();
    const guide::Figures figures =
        session ? guide::sessionFigures(*session) : m_figures.at(m_clock.elapsed());
    const guide::LessonEnd end = guide::lessonEnd(w->moduleCode(), figures, next);
    m_next = next.module ? m_lessonAction(next.module, next.code) : nullptr;
    QWidget *focus = QApplication::focusWidget();
    m_backTo = focus && w->isAncestorOf(focus) ? focus : nullptr;
    m_goesOn = next.inPlace;
    m_panel->showFigures(m_figures.at(m_clock.elapsed()).text());
    m_tick.stop();
    // A lesson that goes on by itself keeps the caret in its line.
    QString advice = end.advice;
    if (m_classSentence)
        if (const QString sentence = m_classSentence(session ? &*session : nullptr); !sentence.isEmpty())
            advice += QLatin1Char('\n') + sentence;
    m_panel->showResult(end.result, advice, next.caption, end.reached, m_backTo, !next.inPlace);
}

// The next lesson as a menu choice; the next page is already in its window.
void GuideLead::goOn()
{
    if (m_next) {
        m_next->trigger();
    } else if (m_backTo) {
        m_panel->clearResult();
        m_backTo->setFocus(Qt::OtherFocusReason);
    }
}

// The typing line in the lesson's focus takes a red background for a moment,
// and in high contrast its characters are struck through too.
void GuideLead::flash(LessonWindow *w)
{
    QWidget *target = QApplication::focusWidget();
    if (!target || !w->isAncestorOf(target) ||
        !(qobject_cast<QLineEdit *>(target) || qobject_cast<QTextEdit *>(target)))
        return;
    if (target != m_flashed) {
        endFlash();
        m_flashed = target;
        m_ownPalette = target->testAttribute(Qt::WA_SetPalette);
        m_palette = target->palette();
        QPalette red = m_palette;
        red.setColor(QPalette::Base, kFlashColour);
        target->setPalette(red);
        m_ownFont = target->testAttribute(Qt::WA_SetFont);
        m_font = target->font();
        if (m_band && m_band->highContrast()) {
            QFont struck = m_font;
            struck.setStrikeOut(true);
            target->setFont(struck);
        }
    }
    m_flashEnd.start();
}

void GuideLead::endFlash()
{
    m_flashEnd.stop();
    if (!m_flashed)
        return;
    m_flashed->setPalette(m_ownPalette ? m_palette : QPalette());
    if (m_flashed->font().strikeOut() != m_font.strikeOut())
        m_flashed->setFont(m_ownFont ? m_font : QFont());
    m_flashed = nullptr;
}
