// The program's windows, each reached through one program-wide reference
// (set when the window is created, read by whoever routes a command to it).
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
