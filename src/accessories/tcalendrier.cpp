// TCalendrier: modal dialog.
#include "accessories/tcalendrier.h"

TCalendrier::TCalendrier(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TCalendrier"));
    setWindowTitle(QStringLiteral("Calendrier"));
}
