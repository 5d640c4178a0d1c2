// TSaisie: lesson window (module code 7).
#include "office/tsaisie.h"

#include <QTimer>

TSaisie::TSaisie(QWidget *parent)
    : LessonWindow(QStringLiteral("TSaisie"), 7, 0, parent)
{

}

