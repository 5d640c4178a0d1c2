// The frame's guide band: the option that shows it, its place under the
// lesson windows, and what it hears from the lesson in front.
#include "app/forms.h"
#include "app/guidelead.h"
#include "app/lesson/lessonwindow.h"
#include "app/lessontable.h"
#include "app/menutable.h"
#include "app/tmainform.h"
#include "drills/exercisetexts.h"
#include "guide/guideband.h"
#include "guide/guidewelcome.h"
#include "keymodel/keymodel.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "ui/caption.h"
#include "ui/desktopcontrast.h"
#include "ui/settings.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cstring>

namespace {

const QString kVisibleKey = QStringLiteral("guide/visible");
const QString kContrastKey = QStringLiteral("guide/contraste");
constexpr int kBandGap = 6; // between the lesson window and the band
// A lesson window whose "guided" property is false shows no band.
const char *const kGuided = "guided";

// Room for a whole lesson window above the band, unless the screen is too
// small (large scale factors): the area then scrolls, as without the band.
// 80: menus, toolbar, status bar.
QSize lessonRoom(const QScreen *screen, int band)
{
    QSize room(668, 375);
    if (screen)
        room = room.boundedTo(screen->availableSize() - QSize(0, 80 + band));
    return room;
}

// A fifth of the screen's height, within reason.
int bandHeight(const QScreen *screen)
{
    return screen ? qBound(96, screen->availableSize().height() / 5, 170) : 170;
}

// The menu item of a lesson, or null.
const MenuItemDef *lessonItem(int module, std::int32_t code)
{
    const LessonDef *row = lessonRow(module);
    const MenuDef *menu = row ? lessonMenu(*row) : nullptr;
    if (menu)
        for (const MenuItemDef &item : menu->items)
            if (item.code == code && std::strcmp(item.caption, "-") != 0)
                return &item;
    return nullptr;
}

// A session's lesson as the resume offer names it: « Exercice 4, Touches
// e r u i » (the menu's hint says what an exercise drills), « Phrases,
// Maximes », « Votre texte : lettre.txt ».
QString resumeName(const progress::SessionRecord &session)
{
    // The offer is a button's caption: an « & » in a file's name is shown,
    // not taken for a mnemonic.
    if (progress::isOwnText(session.module, session.lesson))
        return session.title.isEmpty() ? QStringLiteral("Votre texte")
                                       : QStringLiteral("Votre texte\u00a0: %1")
                                             .arg(QString(session.title).replace(u'&', QStringLiteral("&&")));
    const MenuItemDef *item = lessonItem(session.module, session.lesson);
    if (!item)
        return QString();
    if (session.module == progress::kExercisesModule && drills::exerciseText(session.lesson))
        return QStringLiteral("Exercice %1, %2")
            .arg(QString::number(session.lesson), QString::fromUtf8(item->hint));
    return QStringLiteral("%1, %2").arg(QString::fromUtf8(lessonRow(session.module)->family),
                                        ui::captionText(QString::fromUtf8(item->caption)));
}

} // namespace

void TMainForm::setupGuide()
{
    QAction *item = action(QStringLiteral("Guide1"));
    if (!item)
        return;
    item->setCheckable(true);
    m_guideWanted = ui::settings()->value(ui::learnerKey(kVisibleKey), true).toBool();
    item->setChecked(m_guideWanted);
    connect(item, &QAction::triggered, this, &TMainForm::Guide1Click);

    if (QAction *contrast = action(QStringLiteral("Contrasteeleve1"))) {
        contrast->setCheckable(true);
        connect(contrast, &QAction::triggered, this, [this](bool checked) {
            ui::settings()->setValue(ui::learnerKey(kContrastKey), checked);
            applyContrast();
        });
    }
    readContrastChoice();
}

void TMainForm::readContrastChoice()
{
    QAction *contrast = action(QStringLiteral("Contrasteeleve1"));
    if (!contrast)
        return;
    contrast->setChecked(ui::settings()->value(ui::learnerKey(kContrastKey), false).toBool());
    applyContrast();
}

// The learner's choice, or the desktop's high-contrast theme.
bool TMainForm::highContrast() const
{
    const QAction *contrast = action(QStringLiteral("Contrasteeleve1"));
    return (contrast && contrast->isChecked()) || (m_desktopContrast && m_desktopContrast->high());
}

void TMainForm::applyContrast()
{
    if (m_guide && m_guide->highContrast() != highContrast())
        m_guide->setHighContrast(highContrast());
}

void TMainForm::Guide1Click(bool checked)
{
    m_guideWanted = checked;
    if (QAction *item = action(QStringLiteral("Guide1")); item && item->isChecked() != checked)
        item->setChecked(checked);
    ui::settings()->setValue(ui::learnerKey(kVisibleKey), checked);
    if (checked && m_painted)
        buildGuide();
    followGuide();
}

void TMainForm::buildGuide()
{
    if (m_guide || !m_guideWanted)
        return;
    m_guide = new guide::GuideBand(centralWidget());
    // Only what the band draws follows the desktop's contrast: the portal is
    // asked once the band exists, and answers later.
    if (!m_desktopContrast) {
        m_desktopContrast = new ui::DesktopContrast(this);
        connect(m_desktopContrast, &ui::DesktopContrast::changed, this, &TMainForm::applyContrast);
        m_desktopContrast->ask();
    }
    if (highContrast())
        m_guide->setHighContrast(true);
    m_guide->setFixedHeight(bandHeight(screen()));
    m_guide->hide();
    auto *layout = static_cast<QVBoxLayout *>(centralWidget()->layout());
    layout->addWidget(m_guide);
    applyTextZoomChoice();
    // Below the band, what the lesson area leaves when it stops at the lesson.
    layout->addStretch(0);

    keyboard::LiveKeyModel &live = keyboard::LiveKeyModel::instance();
    m_guide->setModel(&live.model());
    connect(&live, &keyboard::LiveKeyModel::changed, m_guide,
            [this] { m_guide->setModel(&keyboard::LiveKeyModel::instance().model()); });
    m_lead = new GuideLead(
        m_guide,
        [this](int module, std::int32_t code) -> QAction * {
            if (QActionGroup *group = m_groups.value(module))
                for (QAction *item : group->actions())
                    if (item->data().toInt() == code)
                        // A lesson the class hides is no next lesson.
                        return item->isEnabled() ? item : nullptr;
            return nullptr;
        },
        this);
    m_lead->setClassSentence(
        [this](const progress::SessionRecord *ended) { return classAssignmentSentence(ended); });
    for (const LessonDef &row : lessonTable()) {
        LessonWindow *w = lessonWindow(row);
        if (!w)
            continue;
        m_lead->follow(w);
        connect(w, &LessonWindow::guideChanged, this, [this, w] {
            if (w == activeLesson() && m_guide->isVisible())
                m_guide->expect(w->guideExpected(), w->guideStandInTyped(), w->guidePassed());
            // The first judged key starts the lesson: the start offer goes.
            if (!m_welcome->dismissed() && w->session().hasKeys())
                m_welcome->dismiss();
        });
        connect(w, &LessonWindow::guideRefused, this, [this, w](const QString &, const QString &typed) {
            if (w == activeLesson() && m_guide->isVisible())
                m_guide->refused(typed);
        });
        connect(w, &LessonWindow::guideKeyPressed, this,
                [this, w](int keycode, const QString &text, int virtualKey) {
                    if (w == activeLesson() && m_guide->isVisible())
                        m_guide->discovered(keycode, text, virtualKey);
                });
    }

    // The start offer, under the sentence. Any lesson chosen, a lesson file
    // opened or a new lesson makes it go; the journal is read once the band
    // is up, out of the first paint's way.
    m_welcome = new guide::GuideWelcome(m_guide);
    m_guide->column()->addWidget(m_welcome);
    connect(m_welcome, &guide::GuideWelcome::commencerClicked, this, [this] {
        action(m_welcome->current().canType ? QStringLiteral("N19Touches1") : QStringLiteral("N1gh1"))
            ->trigger();
    });
    connect(m_welcome, &guide::GuideWelcome::decouvrirClicked, this,
            [this] { action(QStringLiteral("Dcouverte1"))->trigger(); });
    connect(m_welcome, &guide::GuideWelcome::reprendreClicked, this, [this] {
        const guide::StartOffer &offer = m_welcome->current();
        if (const MenuItemDef *item = lessonItem(offer.module, offer.lesson))
            action(QLatin1String(item->name))->trigger();
    });
    for (QActionGroup *group : std::as_const(m_groups))
        connect(group, &QActionGroup::triggered, m_welcome, &guide::GuideWelcome::dismiss);
    for (const char *name : {"OpenItem", "Nouvelleleon1"})
        connect(action(QLatin1String(name)), &QAction::triggered, m_welcome, &guide::GuideWelcome::dismiss);
    QTimer::singleShot(0, this, &TMainForm::offerStart);
    followGuide();
}

// The greeting of a first run, or the lesson of the last session. A journal
// that is off, unreadable or held by another program offers nothing; a
// journal never written yet is a first run and is not created here.
void TMainForm::offerStart()
{
    if (!m_welcome || m_welcome->dismissed() || m_askingLearner)
        return;
    LessonWindow *w = activeLesson();
    // Only over the keyboard window of the start: any other lesson in front
    // was chosen by the learner.
    if (!w || w->moduleCode() != progress::kKeyboardModule) {
        m_welcome->dismiss();
        return;
    }
    progress::Journal *journal = progress::journal();
    QList<progress::SessionRecord> sessions;
    bool readable = false;
    if (journal && !QFileInfo::exists(journal->path())) {
        readable = true;
    } else if (journal) {
        sessions = journal->sessions(0, 1);
        readable = journal->lastError().isEmpty() && journal->setAside().isEmpty();
        // After a placement test, the lesson it sent to.
        if (!sessions.isEmpty() && progress::isPlacement(sessions[0].module, sessions[0].lesson)) {
            const QStringList to = sessions[0].title.split(u':');
            sessions[0].module = to.value(0).toInt();
            sessions[0].lesson = to.value(1).toInt();
        }
    }
    guide::StartOffer offer =
        guide::startOffer(readable ? &sessions : nullptr, QDate::currentDate(), resumeName);
    if (offer.kind == guide::StartOffer::Kind::FirstRun && journal && QFileInfo::exists(journal->path())) {
        const qint64 current = journal->currentLearner();
        for (const progress::Learner &l : journal->learners())
            offer.canType = offer.canType || (l.id == current && l.level == progress::Learner::kCanType);
    }
    if (offer.kind == guide::StartOffer::Kind::Resume && !lessonItem(offer.module, offer.lesson))
        offer = guide::StartOffer();
    m_welcome->setAssignment(classAssignmentSentence());
    m_welcome->offer(offer, m_guide->isVisible());
}

// The band follows the lesson in front; a lesson that says it has nothing
// to guide (the game) shows none.
void TMainForm::followGuide()
{
    if (!m_guide)
        return;
    LessonWindow *w = activeLesson();
    const QVariant guided = w ? w->property(kGuided) : QVariant();
    const bool shown = m_guideWanted && w && (!guided.isValid() || guided.toBool());
    // The band sits right under the lesson, the grey below it: the eye does
    // not travel from the line to the keys. The area grows again without it.
    int lessonBottom = QWIDGETSIZE_MAX;
    if (shown)
        if (const QWidget *sub = w->parentWidget(); sub && sub->parentWidget() == mdiArea->viewport())
            lessonBottom = std::max(mdiArea->minimumHeight(),
                                    mdiArea->viewport()->mapTo(mdiArea, sub->geometry().bottomLeft()).y() +
                                        mdiArea->frameWidth() + kBandGap);
    if (shown != m_guide->isVisible() || mdiArea->maximumHeight() != lessonBottom) {
        mdiArea->setMinimumSize(lessonRoom(screen(), shown ? m_guide->height() : 0));
        mdiArea->setMaximumHeight(lessonBottom);
        m_guide->setVisible(shown);
        // The lesson area takes its new size at once, its scroll bars with it.
        centralWidget()->layout()->activate();
    }
    m_lead->setActive(w, shown);
    if (shown)
        m_guide->expect(w->guideExpected(), w->guideStandInTyped(), w->guidePassed());
    if (m_welcome && !m_welcome->dismissed() && w && w->moduleCode() != progress::kKeyboardModule)
        m_welcome->dismiss();
}
