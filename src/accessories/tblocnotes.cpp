// TBlocnotes: modal dialog.
#include "accessories/tblocnotes.h"

TBlocnotes::TBlocnotes(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TBlocnotes"));
    setWindowTitle(QStringLiteral("Bloc-notes"));
}

void TBlocnotes::Charge(const QString &)
{}
void TBlocnotes::Sauve(const QString &)
{}
