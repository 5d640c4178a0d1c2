// The frame's lesson-file commands: new lesson, open, save, save as, and the
// save question before leaving the current lesson.
#include "app/forms.h"
#include "app/lesson/lessonfile.h"
#include "app/lesson/lessonwindow.h"
#include "app/lessontable.h"
#include "app/tmainform.h"
#include "ui/prompter.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kOpenFilter = QStringLiteral("Fichers Tapivox (*.tpx)|*.tpx");
const QString kSaveFilter = QStringLiteral("Fichiers Tapivox (*.tpx)|*.tpx");
const QString kExtension = QStringLiteral("tpx");

QString fileOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString folderOf(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

// A file that is not a lesson file is the learner's own (a letter, a
// spreadsheet): it is replaced only when the learner says so. Lesson files
// and empty files are replaced without a question, as the save dialog does.
bool mayReplace(QWidget *parent, const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir() || (info.isFile() && info.size() == 0))
        return true;
    LessonFile file;
    QString reason;
    if (readLessonFile(path, &file, &reason))
        return true;
    return ui::prompter().confirm(parent,
                                  QStringLiteral("Le fichier «\u00a0%1\u00a0» n'est pas une leçon Tapivox.\n"
                                                 "Dossier\u00a0: %2\n"
                                                 "Le remplacer par la leçon en cours\u00a0? "
                                                 "Son contenu actuel sera perdu.")
                                      .arg(fileOf(path), folderOf(path)),
                                  QStringLiteral("&Remplacer"));
}
} // namespace

bool TMainForm::askSave()
{
    if (lessonFileName.isEmpty())
        return true;
    switch (ui::prompter().askYesNoCancel(this, QStringLiteral("Enregistrer la leçon en cours ?"))) {
    case ui::Prompter::Answer::Cancel: return false;
    case ui::Prompter::Answer::Yes: return Sauver(); // a failed save stops the command
    case ui::Prompter::Answer::No: return true;
    }
    return true;
}

bool TMainForm::FormCloseQuery()
{
    return askSave();
}

void TMainForm::Nouvelleleon1Click()
{
    if (!askSave())
        return;
    lessonFileName.clear();
    newLesson();
}

void TMainForm::OpenItemClick()
{
    if (!askSave())
        return;
    const QString name = ui::prompter().openFileName(this, kOpenFilter, kExtension);
    if (name.isEmpty())
        return;
    openLessonFile(name);
}

// A file that cannot be read or is not a lesson file changes nothing: the
// learner is told why, and the lessons, check marks and current file name
// stay as they were.
void TMainForm::openLessonFile(const QString &fileName)
{
    LessonFile file;
    QString reason;
    if (!readLessonFile(fileName, &file, &reason)) {
        ui::prompter().error(this, QStringLiteral("Impossible d'ouvrir la leçon «\u00a0%1\u00a0»\u00a0: %2.\n"
                                                  "Dossier\u00a0: %3\n"
                                                  "La leçon en cours n'a pas changé.")
                                       .arg(fileOf(fileName), reason, folderOf(fileName)));
        return;
    }
    lessonFileName = fileName;
    for (const LessonDef &row : lessonTable())
        if (LessonWindow *w = lessonWindow(row))
            w->SetIni(progress::lessonCodeRead(row.module, file.lessonCode(row.module)));
    for (const LessonDef &row : lessonTable())
        setMenuCode(row.module, file.menuCode(row.module));
    if (LessonWindow *w = lessonOfModule(file.activeModule()))
        showLesson(w);
}

void TMainForm::SaveItemClick()
{
    if (!lessonFileName.isEmpty())
        Sauver();
    else
        Enregistrersous1Click();
}

// Declining to replace a file that is not a lesson file brings the dialog
// back; a failed save keeps the name that was current before.
void TMainForm::Enregistrersous1Click()
{
    QString name;
    do {
        name = ui::prompter().saveFileName(this, kSaveFilter, kExtension);
        if (name.isEmpty())
            return;
    } while (!mayReplace(this, name));
    const QString previous = lessonFileName;
    lessonFileName = name;
    if (!Sauver())
        lessonFileName = previous;
}

bool TMainForm::Sauver()
{
    LessonFile file;
    // The keyboard, first of the table, also stands for no window in front.
    const LessonWindow *active = activeLesson();
    file.activeModule() = active ? active->moduleCode() : lessonTable().front().module;
    for (const LessonDef &row : lessonTable()) {
        const LessonWindow *w = lessonWindow(row);
        file.lessonCode(row.module) = w ? w->GetIni() : 0;
        file.menuCode(row.module) = menuCode(row.module);
    }
    const bool existed = QFileInfo(lessonFileName).isFile();
    QString reason;
    if (writeFileSafely(lessonFileName, file.serialize(), &reason))
        return true;
    ui::prompter().error(this,
                         QStringLiteral("Impossible d'enregistrer la leçon «\u00a0%1\u00a0»\u00a0: %2.\n"
                                        "Dossier\u00a0: %3\n%4")
                             .arg(fileOf(lessonFileName), reason, folderOf(lessonFileName),
                                  existed ? QStringLiteral("Le fichier précédent est resté intact.")
                                          : QStringLiteral("Rien n'a été écrit.")));
    return false;
}
