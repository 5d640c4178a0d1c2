// TTableur: lesson window (module code 6).
#include "office/ttableur.h"

#include <QTimer>

TTableur::TTableur(QWidget *parent)
    : LessonWindow(QStringLiteral("TTableur"), 6, 0, parent)
{
    Timer1->start();
}

void TTableur::Couper() {}
void TTableur::Copier() {}
void TTableur::Coller() {}
