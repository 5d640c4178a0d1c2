// TPocket: modal dialog.
#pragma once
#include <QDialog>

class TPocket final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPocket)
public:
    explicit TPocket(QWidget *parent = nullptr);
};
