// Lesson window contract: chronometer, time display, statistics.
#include "app/lesson/lessonwindow.h"

#include "app/lesson/forms.h"
#include "app/lesson/tstats.h"
#include "progress/recording.h"
#include "ui/clicklabel.h"
#include "ui/int32.h"
#include "ui/prompter.h"
#include "ui/textzoom.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegion>
#include <QTimer>

LessonWindow::LessonWindow(const QString &name, int moduleCode, int helpContext, QWidget *parent)
    : QWidget(parent)
    , DeferredControls(this, false)
    , m_module(moduleCode)
    , m_helpContext(helpContext)
{
    setObjectName(name);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    // Typed to its end: the session may count for the objective.
    connect(this, &LessonWindow::lessonCompleted, this, [this] { m_session.complete(); });
    // A normal quit records the sessions still open.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { endSession(nullptr); });
}

void LessonWindow::SetIni(std::int32_t code)
{
    endSession(isVisible() ? this : nullptr);
    m_code = code;
    m_session.begin(m_module, code, QDateTime::currentDateTime());
    // Only the chronometer's ticks from now on count for this lesson: the
    // window may stop it or leave it running after this.
    m_chronometerRan = false;
    m_secondsAtStart = m_seconds;
    emit lessonStarted();
}

bool LessonWindow::prepareLesson(std::int32_t)
{
    return true;
}

// Seconds left over from an earlier session do not count.
std::int32_t LessonWindow::sessionSeconds() const
{
    return m_chronometerRan ? qMax(m_seconds - m_secondsAtStart, 0) : 0;
}

void LessonWindow::endSession(QWidget *parent)
{
    if (const auto record = m_session.finish(QDateTime::currentDateTime(), sessionSeconds()))
        progress::recordSession(parent, *record);
}

void LessonWindow::handOverSession(QWidget *parent)
{
    const bool running = m_session.running();
    endSession(parent);
    if (!running)
        return;
    m_session.begin(m_module, m_code, QDateTime::currentDateTime());
    m_chronometerRan = false;
    m_secondsAtStart = m_seconds;
}

std::optional<progress::SessionRecord> LessonWindow::sessionSoFar() const
{
    progress::SessionTally copy = m_session;
    return copy.finish(QDateTime::currentDateTime(), sessionSeconds());
}

void LessonWindow::noteJudged(std::int32_t good, std::int32_t errors)
{
    m_session.judged(good, errors, QDateTime::currentMSecsSinceEpoch());
    emit keyJudged(good, errors);
}

void LessonWindow::noteKey(const QString &expected, bool right, const QString &pressed)
{
    m_session.observeKey(expected, right, QDateTime::currentMSecsSinceEpoch(), pressed);
}

void LessonWindow::Statistic()
{
    TStats *stats = forms().Stats;
    if (!stats)
        return;
    stats->Init(m_good, m_errors, m_seconds);
    ui::prompter().showModal(stats);
}

bool LessonWindow::inFront() const
{
    const auto *sub = qobject_cast<const QMdiSubWindow *>(parentWidget());
    if (!sub)
        return true; // on its own, the window is what the learner sees
    const QMdiArea *area = sub->mdiArea();
    if (!area)
        return false;
    if (const QMdiSubWindow *current = area->currentSubWindow())
        return current == sub;
    // No active child (after a restore): the one on top of the others.
    const QList<QMdiSubWindow *> stack = area->subWindowList(QMdiArea::StackingOrder);
    return !stack.isEmpty() && stack.constLast() == sub;
}

void LessonWindow::focusEntry(QWidget *target)
{
    if (inFront()) {
        m_entry = nullptr;
        target->setFocus(Qt::OtherFocusReason);
    } else {
        m_entry = target;
    }
}

void LessonWindow::setVisible(bool visible)
{
    if (visible && !qobject_cast<QMdiSubWindow *>(parentWidget()))
        buildControls();
    QWidget::setVisible(visible);
}

// The windows in front of this one in the lesson area cover it whole.
bool LessonWindow::coveredInArea() const
{
    const QWidget *sub = parentWidget();
    const QWidget *area = sub ? sub->parentWidget() : nullptr;
    if (!area || !qobject_cast<const QMdiSubWindow *>(sub))
        return false;
    QRegion shown(sub->geometry());
    const QObjectList &stack = area->children(); // bottom to top
    for (qsizetype i = stack.indexOf(sub) + 1; i < stack.size() && !shown.isEmpty(); ++i) {
        const auto *above = qobject_cast<const QMdiSubWindow *>(stack.at(i));
        if (above && above->isVisible())
            shown -= above->geometry();
    }
    return shown.isEmpty();
}

bool LessonWindow::event(QEvent *event)
{
    // Qt paints the windows behind the one in front too. A window that
    // shows some of itself (the one in front moved, or the windows tiled)
    // builds its controls before the next paint.
    if (!controlsBuilt() && event->type() == QEvent::Paint && !coveredInArea())
        QTimer::singleShot(0, this, [this] { buildControls(); });
    return QWidget::event(event);
}

void LessonWindow::setTextZoom(double factor, const QString &family)
{
    if (factor == m_zoom && factor == 1.0 && family.isEmpty() && m_family.isEmpty())
        return;
    m_zoom = factor;
    m_family = family;
    ui::applyTextZoom(this, factor, family);
}

QSize LessonWindow::zoomed(QSize size) const
{
    return m_zoom == 1.0 ? size : QSize(qRound(size.width() * m_zoom), qRound(size.height() * m_zoom));
}

void LessonWindow::controlsAdded()
{
    if (m_zoom != 1.0 || !m_family.isEmpty())
        ui::applyTextZoom(this, m_zoom, m_family);
}

QWidget *LessonWindow::takeEntry()
{
    buildControls();
    QWidget *entry = m_entry;
    m_entry = nullptr;
    return entry;
}

bool LessonWindow::chronometerRunning() const
{
    return Timer1->isActive();
}

// Starts a stopped chronometer, stops a running one; either way from zero.
void LessonWindow::toggleTimer()
{
    if (Timer1->isActive())
        Timer1->stop();
    else
        Timer1->start();
    m_seconds = 0;
    m_secondsAtStart = 0;
}

void LessonWindow::StaticText1Click()
{
    toggleTimer();
    if (Timer1->isActive()) {
        m_seconds = 1;
        if (StaticText2)
            StaticText2->setText(clickStartText());
    }
}

void LessonWindow::SetTemps()
{
    toggleTimer();
}

void LessonWindow::Timer1Timer()
{
    if (StaticText2)
        StaticText2->setText(elapsedText(m_seconds));
    m_seconds = ui::add32(m_seconds, 1);
    m_chronometerRan = true;
}

Qt::WindowFlags LessonWindow::subWindowFlags() const
{
    return Qt::SubWindow | Qt::FramelessWindowHint;
}

QString LessonWindow::scoreLine(std::int32_t good, std::int32_t errors)
{
    return QStringLiteral("Bon : %1     Erreurs : %2").arg(good).arg(errors);
}

QString LessonWindow::elapsedText(std::int32_t seconds)
{
    return QStringLiteral("%1:%2").arg(ui::div32(seconds, 60)).arg(ui::mod32(seconds, 60));
}

void LessonWindow::createTimeDisplay(QWidget *parent, QPoint pos)
{
    Panel2 = new QFrame(parent);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);
    Panel2->setGeometry(pos.x(), pos.y(), 73, 33);
    Panel2->setAccessibleName(QStringLiteral("Chronomètre"));
    Panel2->setAutoFillBackground(true);
    QPalette panelPalette = Panel2->palette();
    panelPalette.setColor(QPalette::Window,
                          panelPalette.color(QPalette::Button)); // button face, whatever the window's colour
    Panel2->setPalette(panelPalette);

    StaticText2 = new ui::ClickLabel(Panel2);
    StaticText2->setObjectName(QStringLiteral("StaticText2"));
    StaticText2->setGeometry(2, 1, 65, 29);
    StaticText2->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(20);
    font.setBold(true);
    StaticText2->setFont(font);
    StaticText2->setAutoFillBackground(true);
    QPalette palette = StaticText2->palette();
    palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    palette.setColor(QPalette::WindowText, Qt::black);
    StaticText2->setPalette(palette);
    StaticText2->setText(QStringLiteral("0:0"));
    StaticText2->setAccessibleDescription(
        QStringLiteral("Temps écoulé\u00a0; cliquez pour démarrer ou arrêter le chronomètre"));
    connect(StaticText2, &ui::ClickLabel::clicked, this, [this] { StaticText1Click(); });
}
