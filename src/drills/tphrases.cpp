// TPhrases: lesson window (module code 3).
#include "drills/tphrases.h"

#include <QTimer>

TPhrases::TPhrases(QWidget *parent)
    : LessonWindow(QStringLiteral("TPhrases"), 3, 6, parent)
{
    Timer1->start();
}

