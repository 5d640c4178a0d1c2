// The tests of the Exercices menu: the timed copy test.
#include "app/lessontable.h"
#include "app/tmainform.h"
#include "drills/tepreuve.h"
#include "drills/texttexts.h"
#include "progress/journal.h"
#include "progress/recording.h"

#include <QAction>
#include <QActionGroup>

namespace {
QList<QPair<QString, QString>> copyTestTexts()
{
    // The lesson texts, by their menu captions; the learner's own comes
    // from a file chosen in the window.
    QList<QPair<QString, QString>> texts;
    for (const progress::LessonFamily &family : lessonFamilies()) {
        if (family.module != progress::kTextModule)
            continue;
        for (const auto &[code, name] : family.lessons) {
            QStringList lines;
            for (const TextLine &line : textLines(code))
                lines << QString::fromUtf8(line.text);
            if (!lines.isEmpty())
                texts.append({name, lines.join(u'\n')});
        }
    }
    return texts;
}
} // namespace

TEpreuve *TMainForm::testWindow()
{
    if (!m_epreuve) {
        m_epreuve = new TEpreuve(this);
        m_epreuve->setTexts(copyTestTexts());
        applyTextZoomChoice();
        connect(m_epreuve, &TEpreuve::placementChosen, this, &TMainForm::followPlacement);
    }
    return m_epreuve;
}

void TMainForm::Epreuve1Click()
{
    TEpreuve *w = testWindow();
    if (!w->running())
        w->showSetup();
    w->show();
    w->raise();
    w->activateWindow();
}

void TMainForm::Testdeniveau1Click()
{
    TEpreuve *w = testWindow();
    w->show();
    w->raise();
    w->activateWindow();
    w->startPlacement();
}

void TMainForm::followPlacement(int module, int lesson)
{
    if (progress::Journal *journal = progress::journal()) {
        const bool beginner = module == progress::kExercisesModule && lesson == 1;
        journal->setLearnerLevel(journal->currentLearner(),
                                 beginner ? progress::Learner::kBeginner : progress::Learner::kCanType);
    }
    // The lesson comes in front of the frame, which takes the keys back.
    activateWindow();
    if (const QActionGroup *group = m_groups.value(module))
        for (QAction *item : group->actions())
            if (item->data().toInt() == lesson) {
                item->trigger();
                return;
            }
}
