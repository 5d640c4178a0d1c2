// The frame's sounds: Options › Sons, kept per learner, and what the lesson
// windows report (a refused key, a lesson's end) turned into a sound when
// the learner asked for it. Both off, nothing is played nor changed.
#include "app/lesson/lessonwindow.h"
#include "app/tmainform.h"
#include "ui/settings.h"
#include "ui/sounds.h"

#include <QAction>

namespace {

const struct
{
    const char *item;
    const char *key;
} kChoices[] = {
    {"Sonerreur1", "sons/erreur"},
    {"Sonfin1", "sons/fin"},
};

} // namespace

void TMainForm::setupSounds()
{
    for (const auto &choice : kChoices) {
        QAction *item = action(QLatin1String(choice.item));
        if (!item)
            continue;
        item->setCheckable(true);
        const QString key = QLatin1String(choice.key);
        connect(item, &QAction::triggered, this,
                [key](bool checked) { ui::settings()->setValue(ui::learnerKey(key), checked); });
    }
    readSoundChoices();
}

void TMainForm::listenForSounds(LessonWindow *w)
{
    // Errors as the lesson counts them: a refused key, a wrong answer.
    connect(w, &LessonWindow::keyJudged, this, [this](std::int32_t, std::int32_t errors) {
        if (errors > 0 && soundWanted("Sonerreur1"))
            ui::soundPlayer().play(ui::SoundPlayer::Sound::Error);
    });
    connect(w, &LessonWindow::lessonCompleted, this, [this] {
        if (soundWanted("Sonfin1"))
            ui::soundPlayer().play(ui::SoundPlayer::Sound::LessonEnd);
    });
}

bool TMainForm::soundWanted(const char *item) const
{
    const QAction *choice = action(QLatin1String(item));
    return choice && choice->isChecked();
}

void TMainForm::readSoundChoices()
{
    const auto settings = ui::settings();
    for (const auto &choice : kChoices)
        if (QAction *item = action(QLatin1String(choice.item)))
            item->setChecked(settings->value(ui::learnerKey(QLatin1String(choice.key)), false).toBool());
}
