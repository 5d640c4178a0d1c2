// Creation of every window, once, in the program's fixed order.
#include "app/forms.h"

#include "accessories/tblocnotes.h"
#include "accessories/tcalendrier.h"
#include "accessories/thorloge.h"
#include "accessories/tpocket.h"
#include "app/taboutbox.h"
#include "app/tmainform.h"
#include "app/tstats.h"
#include "drills/texos.h"
#include "drills/tjeu.h"
#include "drills/tphrases.h"
#include "drills/ttexte.h"
#include "keyboard/tcaract.h"
#include "keyboard/tclavier.h"
#include "office/tsaisie.h"
#include "office/ttableur.h"
#include "ui/accessibility.h"

Forms &forms()
{
    static Forms f;
    return f;
}

void createForms()
{
    Forms &f = forms();
    f.MainForm = new TMainForm;
    QWidget *frame = f.MainForm;
    f.Clavier = new TClavier;
    f.MainForm->addLesson(f.Clavier);
    f.Exos = new TExos;
    f.MainForm->addLesson(f.Exos);
    f.AboutBox = new TAboutBox(frame);
    f.Blocnotes = new TBlocnotes(frame);
    f.Calendrier = new TCalendrier(frame);
    f.Horloge = new THorloge(frame);
    f.Pocket = new TPocket(frame);
    f.Phrases = new TPhrases;
    f.MainForm->addLesson(f.Phrases);
    f.Texte = new TTexte;
    f.MainForm->addLesson(f.Texte);
    f.Caract = new TCaract(frame);
    f.Jeu = new TJeu;
    f.MainForm->addLesson(f.Jeu);
    f.Stats = new TStats(frame);
    f.Tableur = new TTableur;
    f.MainForm->addLesson(f.Tableur);
    f.Saisie = new TSaisie;
    f.MainForm->addLesson(f.Saisie);
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
