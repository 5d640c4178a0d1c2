// TJeu: lesson window (module code 5).
#include "drills/tjeu.h"

#include <QTimer>

TJeu::TJeu(QWidget *parent)
    : LessonWindow(QStringLiteral("TJeu"), 5, 8, parent)
{

}

