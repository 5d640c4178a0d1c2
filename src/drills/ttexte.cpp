// TTexte: lesson window (module code 4).
#include "drills/ttexte.h"

#include <QTimer>

TTexte::TTexte(QWidget *parent)
    : LessonWindow(QStringLiteral("TTexte"), 4, 7, parent)
{
    Timer1->start();
}

void TTexte::Couper() {}
void TTexte::Copier() {}
void TTexte::Coller() {}
void TTexte::Gras() {}
void TTexte::Souligne() {}
void TTexte::Caracteres() {}
