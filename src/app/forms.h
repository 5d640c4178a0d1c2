// The program's windows: each created once at start-up, in a fixed order,
// and reached through the program-wide references of lesson/forms.h.
#pragma once
#include "app/lesson/forms.h"

// Creates every window in the order TMainForm, TClavier, TExos, TAboutBox,
// TBlocnotes, TCalendrier, THorloge, TPocket, TPhrases, TTexte, TCaract, TJeu,
// TStats, TTableur, TSaisie. The lesson windows become children of the frame.
void createForms();
// Destroys them all (end of run, end of a test).
void destroyForms();
