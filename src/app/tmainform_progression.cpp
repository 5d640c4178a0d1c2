// The frame's progression command: the window is built the first time it is
// asked for, so that start-up does not pay for it.
#include "app/lesson/lessonwindow.h"
#include "app/lessontable.h"
#include "app/tmainform.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "progress/tprogression.h"
#include "ui/accessibility.h"
#include "ui/prompter.h"

#include <QAction>

namespace {

// The active lesson's family when it has sessions, otherwise the family of
// the latest session (at start-up the keyboard window is in front).
int shownModule(int active, const QList<progress::SessionRecord> &pending)
{
    progress::Journal *journal = progress::journal();
    progress::SessionRecord latest;
    for (const progress::SessionRecord &s : pending) {
        if (s.module == active)
            return active;
        if (!latest.start.isValid() || s.start > latest.start)
            latest = s;
    }
    if (!journal || !journal->sessions(active, 1).isEmpty())
        return active;
    const QList<progress::SessionRecord> last = journal->sessions(0, 1);
    if (!last.isEmpty() && (!latest.start.isValid() || last.first().start > latest.start))
        latest = last.first();
    return latest.start.isValid() ? latest.module : active;
}

} // namespace

void TMainForm::Progression1Click()
{
    auto *dialog = findChild<TProgression *>(QStringLiteral("TProgression"), Qt::FindDirectChildrenOnly);
    if (!dialog) {
        dialog = new TProgression(lessonFamilies(), this);
        ui::applyAccessibleTexts(dialog, ui::accessibleTexts());
        // The review opens as from its menu item, once the dialog is closed.
        connect(
            dialog, &TProgression::reviewRequested, this,
            [this] {
                if (auto *item = findChild<QAction *>(QStringLiteral("Revision1")))
                    item->trigger();
            },
            Qt::QueuedConnection);
    }
    QList<progress::SessionRecord> pending;
    for (const LessonDef &row : lessonTable())
        if (const LessonWindow *w = lessonWindow(row))
            if (const auto session = w->sessionSoFar())
                pending.append(*session);
    dialog->Init(progress::journal(), pending);
    dialog->showModule(shownModule(activeLesson() ? activeLesson()->moduleCode() : 1, pending));
    ui::prompter().showModal(dialog);
}
