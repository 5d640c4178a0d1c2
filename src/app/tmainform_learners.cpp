// The frame's learners: the window that adds and chooses them, the question
// at start-up when several share the journal, and the change from one to
// another.
#include "app/lesson/lessonwindow.h"
#include "app/lessontable.h"
#include "app/tmainform.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "progress/tapprenants.h"
#include "ui/accessibility.h"
#include "ui/prompter.h"
#include "ui/settings.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Tapivox");

} // namespace

void TMainForm::Apprenants1Click()
{
    auto *dialog = findChild<TApprenants *>(QStringLiteral("TApprenants"), Qt::FindDirectChildrenOnly);
    if (!dialog) {
        dialog = new TApprenants(this);
        ui::applyAccessibleTexts(dialog, ui::accessibleTexts());
        connect(dialog, &TApprenants::learnerChosen, this, &TMainForm::changeLearner);
    }
    dialog->Init(progress::journal());
    ui::prompter().showModal(dialog);
    showLearner();
}

void TMainForm::changeLearner(qint64 id)
{
    progress::Journal *journal = progress::journal();
    if (!journal)
        return;
    for (const LessonDef &row : lessonTable())
        if (LessonWindow *w = lessonWindow(row))
            w->handOverSession(this);
    if (!journal->setCurrentLearner(id))
        ui::prompter().error(this, journal->lastError() + QLatin1Char('.'));
    showLearner();
}

void TMainForm::askWhoLearns()
{
    progress::Journal *journal = progress::journal();
    // A journal not written yet has a single learner to come.
    if (!journal || !QFileInfo::exists(journal->path()))
        return;
    const QList<progress::Learner> learners = journal->learners();
    if (learners.size() < 2)
        return;
    m_askingLearner = true;
    QuiApprend question(learners, this);
    ui::applyAccessibleTexts(&question, ui::accessibleTexts());
    const bool answered = ui::prompter().showModal(&question) == QDialog::Accepted;
    m_askingLearner = false;
    if (answered && question.chosen() > 0 && question.chosen() != journal->currentLearner())
        changeLearner(question.chosen());
    showLearner();
    offerStart();
}

void TMainForm::showLearner()
{
    progress::Journal *journal = progress::journal();
    QString title = kTitle;
    QString group; // the first learner's choices are the file's own keys
    if (journal && QFileInfo::exists(journal->path())) {
        const QList<progress::Learner> learners = journal->learners();
        const qint64 current = journal->currentLearner();
        qint64 first = current;
        for (const progress::Learner &l : learners)
            first = std::min(first, l.id);
        for (const progress::Learner &l : learners) {
            if (l.id != current)
                continue;
            if (learners.size() > 1)
                title = QStringLiteral("%1 — %2").arg(kTitle, l.name);
            if (l.id != first)
                group = l.uuid;
        }
    }
    if (windowTitle() != title)
        setWindowTitle(title);
    // The frame's fixed accessible name would hide who is learning from a
    // screen reader.
    setAccessibleName(title);
    if (group == m_learnerGroup)
        return;
    // Each learner has their own display choices.
    m_learnerGroup = group;
    ui::setLearnerGroup(group);
    const bool guide = ui::settings()->value(ui::learnerKey(QStringLiteral("guide/visible")), true).toBool();
    if (guide != m_guideWanted)
        Guide1Click(guide);
    readSoundChoices();
    readContrastChoice();
    readTextZoomChoice();
    followClassLink();
}
