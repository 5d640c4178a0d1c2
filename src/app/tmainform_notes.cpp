// The frame's end of the run for the notes: before the frame closes the
// learner decides what becomes of notes that cannot be written, and at the
// end of the session they are saved without a question.
#include "accessories/tblocnotes.h"
#include "app/forms.h"
#include "app/tmainform.h"
#include "ui/prompter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

namespace {
const QString kNotesName = QStringLiteral("Tapivox.nte");
const QString kNotesFilter = QStringLiteral("Notes Tapivox (*.nte)|*.nte");
} // namespace

bool TMainForm::keepNotesBeforeClosing()
{
    TBlocnotes *notepad = forms().Blocnotes;
    if (!notepad)
        return true;
    // By its full name: the start folder may be gone, and the current
    // folder with it.
    const QString name = startFolder.isEmpty() ? kNotesName : QDir(startFolder).filePath(kNotesName);
    bool replaceAnyway = false;
    for (;;) {
        QString message;
        const auto result = notepad->saveNotes(name, replaceAnyway, &message);
        if (result == notes::NotesFile::Save::Saved)
            return true;
        int choice = -1;
        if (result == notes::NotesFile::Save::NeedsConsent) {
            choice =
                ui::prompter().choose(this, message,
                                      {QStringLiteral("Remplacer"), QStringLiteral("Enregistrer ailleurs..."),
                                       QStringLiteral("Annuler")});
            if (choice == 0) {
                replaceAnyway = true;
                continue;
            }
            if (choice != 1)
                return false;
        } else {
            choice = ui::prompter().choose(
                this, message + QStringLiteral("\nQue faire des notes avant de quitter\u00a0?"),
                {QStringLiteral("Réessayer"), QStringLiteral("Enregistrer ailleurs..."),
                 QStringLiteral("Quitter sans enregistrer les notes")});
            if (choice == 0)
                continue;
            if (choice == 2) {
                notepad->discardChanges();
                return true;
            }
            if (choice != 1)
                return false;
        }
        const QString other = ui::prompter().saveFileName(this, kNotesFilter, QStringLiteral("nte"));
        if (other.isEmpty())
            continue; // back to the question
        if (notepad->saveNotesAs(other, &message))
            return true;
        ui::prompter().error(this, message);
    }
}

void TMainForm::saveNotesAtSessionEnd()
{
    TBlocnotes *notepad = forms().Blocnotes;
    if (!notepad)
        return;
    const QString name = startFolder.isEmpty() ? kNotesName : QDir(startFolder).filePath(kNotesName);
    QString message;
    if (notepad->saveNotes(name, false, &message) == notes::NotesFile::Save::Saved)
        return;
    // Nobody is there to answer: the notes go to a new file of their own,
    // in the start folder or else in the home folder.
    qWarning("%s", qPrintable(message));
    const QString rescue = QStringLiteral("Tapivox-%1.nte")
                               .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    for (const QString &folder :
         {startFolder.isEmpty() ? QDir::currentPath() : startFolder, QDir::homePath()}) {
        const QString path = QDir(folder).filePath(rescue);
        if (QFileInfo(folder).isDir() && notepad->saveNotesAs(path, &message)) {
            qWarning("Les notes sont enregistrées dans %s.", qPrintable(QDir::toNativeSeparators(path)));
            return;
        }
        qWarning("%s", qPrintable(message));
    }
}
