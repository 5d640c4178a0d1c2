// THorloge: modal dialog.
#pragma once
#include <QDialog>

class THorloge final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(THorloge)
  public:
    explicit THorloge(QWidget *parent = nullptr);
};
