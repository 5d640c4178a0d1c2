// The about box and the splash window.
#pragma once
#include <QDialog>

class QLabel;
class QFrame;
class QPushButton;

class TAboutBox final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAboutBox)
public:
    explicit TAboutBox(QWidget *parent = nullptr);
    void OKButtonClick();

    QFrame *Panel1;
    QLabel *ProgramIcon, *ProductName, *Version, *Comments;
    QPushButton *OKButton;
};

// Shown while the windows are created, then destroyed.
class TSplash final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSplash)
public:
    TSplash();

    QFrame *Panel1;
    QLabel *Image1, *Label1, *Label2;
};
