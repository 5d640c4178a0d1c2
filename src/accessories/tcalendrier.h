// TCalendrier: modal dialog.
#pragma once
#include <QDialog>

class TCalendrier final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCalendrier)
  public:
    explicit TCalendrier(QWidget *parent = nullptr);
};
