// THorloge: modal dialog.
#include "accessories/thorloge.h"

THorloge::THorloge(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("THorloge"));
    setWindowTitle(QStringLiteral("Horloge"));
}
