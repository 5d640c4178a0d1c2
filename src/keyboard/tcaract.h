// TCaract: modal dialog.
#pragma once
#include <QDialog>

class TCaract final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCaract)
  public:
    explicit TCaract(QWidget *parent = nullptr);

    // Fills the font list.
    void Init();
    // The confirmed character; empty unless confirmed.
    QString Result;
};
