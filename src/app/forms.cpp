// Creation of every window, once, in the program's fixed order.
#include "app/forms.h"

#include "accessories/tblocnotes.h"
#include "accessories/tcalendrier.h"
#include "accessories/thorloge.h"
#include "accessories/tpocket.h"
#include "app/lesson/lessonwindow.h"
#include "app/lesson/tstats.h"
#include "app/lessontable.h"
#include "app/taboutbox.h"
#include "app/tmainform.h"
#include "keyboard/tcaract.h"
#include "ui/accessibility.h"

void createForms()
{
    Forms &f = forms();
    f.MainForm = new TMainForm;
    QWidget *frame = f.MainForm;
    // The lesson windows by module code, up to and with lastModule.
    std::span<const LessonDef> lessons = lessonTable();
    const auto createLessons = [&](int lastModule) {
        while (!lessons.empty() && lessons.front().module <= lastModule) {
            f.MainForm->addLesson(lessons.front().create(f));
            lessons = lessons.subspan(1);
        }
    };
    createLessons(2); // TClavier, TExos
    f.AboutBox = new TAboutBox(frame);
    f.Blocnotes = new TBlocnotes(frame);
    f.Calendrier = new TCalendrier(frame);
    f.Horloge = new THorloge(frame);
    f.Pocket = new TPocket(frame);
    createLessons(4); // TPhrases, TTexte
    f.Caract = new TCaract(frame);
    createLessons(5); // TJeu
    f.Stats = new TStats(frame);
    createLessons(7); // TTableur, TSaisie
    ui::nameEveryWindow(frame);
}

void destroyForms()
{
    Forms &f = forms();
    delete f.MainForm; // owns every other window
    const TSplash *splash = f.Splash;
    (void)splash;
    f = Forms{};
}
