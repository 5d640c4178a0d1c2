// TCaract: modal dialog.
#include "keyboard/tcaract.h"

TCaract::TCaract(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TCaract"));
    setWindowTitle(QStringLiteral("Table des caractères"));
}

void TCaract::Init()
{}
