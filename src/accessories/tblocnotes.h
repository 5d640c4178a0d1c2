// TBlocnotes: the notepad dialog. Its notes outlive the program in the notes
// file, loaded at start-up and written at the end only when changed.
#pragma once
#include <QDialog>

class QFrame;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class TBlocnotes final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBlocnotes)
public:
    explicit TBlocnotes(QWidget *parent = nullptr);

    // Loads and saves the notes file.
    void Charge(const QString &fileName);
    void Sauve(const QString &fileName);
    // Prints the notes as the memo shows them, one shown line a printed line.
    void Imprimer();

    void Button1Click();
    void SpeedButton9Click();
    void FormResize();

    // The notes, lines separated by '\n'.
    QString notes() const;
    // The memo's lines as shown, a long paragraph wrapped into several.
    QStringList shownLines() const;

    QFrame *Panel1, *Panel2;
    QToolButton *SpeedButton9;
    QPushButton *Button1;
    QPlainTextEdit *Memo1;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
