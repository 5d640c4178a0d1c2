// TClavier: lesson window (module code 1).
#include "keyboard/tclavier.h"

#include <QTimer>

TClavier::TClavier(QWidget *parent)
    : LessonWindow(QStringLiteral("TClavier"), 1, 0, parent)
{
    Timer1->start();
}

