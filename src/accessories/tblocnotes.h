// TBlocnotes: modal dialog.
#pragma once
#include <QDialog>

class TBlocnotes final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBlocnotes)
  public:
    explicit TBlocnotes(QWidget *parent = nullptr);

    // Loads and saves the notes file.
    void Charge(const QString &fileName);
    void Sauve(const QString &fileName);
};
