// TExos: lesson window (module code 2).
#include "drills/texos.h"

#include <QTimer>

TExos::TExos(QWidget *parent)
    : LessonWindow(QStringLiteral("TExos"), 2, 5, parent)
{
    Timer1->start();
}

