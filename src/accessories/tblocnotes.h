// TBlocnotes: the notepad dialog. Its notes outlive the program in the notes
// file, loaded at start-up and written at the end only when changed.
#pragma once
#include "accessories/notesfile.h"

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

    // Loads and saves the notes file, telling the learner what went wrong.
    void Charge(const QString &fileName);
    void Sauve(const QString &fileName);
    // Saves the changed notes without a word; *message says why not.
    notes::NotesFile::Save saveNotes(const QString &fileName, bool replaceAnyway, QString *message);
    // Saves the notes to a file the learner chose.
    bool saveNotesAs(const QString &path, QString *message);
    // The notes are given up: nothing is written at the end.
    void discardChanges();
    // Whether long notes are still going into the memo; finishLoading (and
    // the learner's first key) puts the rest in at once.
    bool isLoading() const;
    void finishLoading();
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

private:
    static constexpr qsizetype kLoadStep = 128 * 1024; // characters put in the memo at a time
    void startLoading(const QString &text);
    void useWrapFor(QStringView text);
    void loadStep(bool all);

    notes::NotesFile m_file;
    QString m_pending; // notes still to go into the memo
    qsizetype m_pendingAt = 0;
    bool m_wrapCheckPending = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
