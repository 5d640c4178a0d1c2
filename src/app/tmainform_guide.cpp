// The frame's guide band: the option that shows it, its place under the
// lesson windows, and what it hears from the lesson in front.
#include "app/forms.h"
#include "app/guidelead.h"
#include "app/lesson/lessonwindow.h"
#include "app/lessontable.h"
#include "app/tmainform.h"
#include "guide/guideband.h"
#include "keyboard/keymodel.h"
#include "ui/settings.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QString kVisibleKey = QStringLiteral("guide/visible");
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

} // namespace

void TMainForm::setupGuide()
{
    QAction *item = action(QStringLiteral("Guide1"));
    if (!item)
        return;
    item->setCheckable(true);
    m_guideWanted = ui::settings()->value(kVisibleKey, true).toBool();
    item->setChecked(m_guideWanted);
    connect(item, &QAction::triggered, this, &TMainForm::Guide1Click);
}

void TMainForm::Guide1Click(bool checked)
{
    m_guideWanted = checked;
    if (QAction *item = action(QStringLiteral("Guide1")); item && item->isChecked() != checked)
        item->setChecked(checked);
    ui::settings()->setValue(kVisibleKey, checked);
    if (checked && m_painted)
        buildGuide();
    followGuide();
}

void TMainForm::buildGuide()
{
    if (m_guide || !m_guideWanted)
        return;
    m_guide = new guide::GuideBand(centralWidget());
    m_guide->setFixedHeight(bandHeight(screen()));
    m_guide->hide();
    static_cast<QVBoxLayout *>(centralWidget()->layout())->addWidget(m_guide);

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
                        return item;
            return nullptr;
        },
        this);
    for (const LessonDef &row : lessonTable()) {
        LessonWindow *w = lessonWindow(row);
        if (!w)
            continue;
        m_lead->follow(w);
        connect(w, &LessonWindow::guideChanged, this, [this, w] {
            if (w == activeLesson() && m_guide->isVisible())
                m_guide->expect(w->guideExpected());
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
    followGuide();
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
    if (shown != m_guide->isVisible()) {
        mdiArea->setMinimumSize(lessonRoom(screen(), shown ? m_guide->height() : 0));
        m_guide->setVisible(shown);
        // The lesson area takes its new size at once, its scroll bars with it.
        centralWidget()->layout()->activate();
    }
    m_lead->setActive(w, shown);
    if (shown)
        m_guide->expect(w->guideExpected());
}
