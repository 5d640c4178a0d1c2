// The program's windows: each created once at start-up, in a fixed order,
// and reached through this one program-wide table.
#pragma once

class TMainForm;
class TClavier;
class TExos;
class TAboutBox;
class TBlocnotes;
class TCalendrier;
class THorloge;
class TPocket;
class TPhrases;
class TTexte;
class TCaract;
class TJeu;
class TStats;
class TTableur;
class TSaisie;
class TSplash;

struct Forms
{
    TMainForm *MainForm = nullptr;
    TClavier *Clavier = nullptr;
    TExos *Exos = nullptr;
    TAboutBox *AboutBox = nullptr;
    TBlocnotes *Blocnotes = nullptr;
    TCalendrier *Calendrier = nullptr;
    THorloge *Horloge = nullptr;
    TPocket *Pocket = nullptr;
    TPhrases *Phrases = nullptr;
    TTexte *Texte = nullptr;
    TCaract *Caract = nullptr;
    TJeu *Jeu = nullptr;
    TStats *Stats = nullptr;
    TTableur *Tableur = nullptr;
    TSaisie *Saisie = nullptr;
    TSplash *Splash = nullptr;
};

Forms &forms();

// Creates every window in the order TMainForm, TClavier, TExos, TAboutBox,
// TBlocnotes, TCalendrier, THorloge, TPocket, TPhrases, TTexte, TCaract, TJeu,
// TStats, TTableur, TSaisie. The lesson windows become children of the frame.
void createForms();
// Destroys them all (end of run, end of a test).
void destroyForms();
