// TPocket: modal dialog.
#include "accessories/tpocket.h"

TPocket::TPocket(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TPocket"));
    setWindowTitle(QStringLiteral("Calculatrice"));
}

