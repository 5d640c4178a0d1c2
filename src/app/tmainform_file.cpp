// The frame's lesson-file commands: new lesson, open, save, save as, and the
// save question before leaving the current lesson.
#include "app/forms.h"
#include "app/lessonfile.h"
#include "app/lessonwindow.h"
#include "app/tmainform.h"
#include "ui/prompter.h"

#include <QFileInfo>

namespace {
const QString kOpenFilter = QStringLiteral("Fichers Tapivox (*.tpx)|*.tpx");
const QString kSaveFilter = QStringLiteral("Fichiers Tapivox (*.tpx)|*.tpx");
const QString kExtension = QStringLiteral("tpx");
} // namespace

bool TMainForm::askSave()
{
    if (lessonFileName.isEmpty())
        return true;
    switch (ui::prompter().askYesNoCancel(this, QStringLiteral("Enregistrer la leçon en cours ?"))) {
    case ui::Prompter::Answer::Cancel: return false;
    case ui::Prompter::Answer::Yes: Sauver(); return true;
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

// A file that cannot be read changes nothing: the learner is told why, and
// the lessons, check marks and current file name stay as they were.
void TMainForm::openLessonFile(const QString &fileName)
{
    QByteArray bytes;
    QString reason;
    if (!readWholeFile(fileName, &bytes, &reason)) {
        ui::prompter().error(this, QStringLiteral("Impossible d'ouvrir la leçon « %1 » : %2.")
                                       .arg(QFileInfo(fileName).fileName(), reason));
        return;
    }
    lessonFileName = fileName;
    const LessonFile file = LessonFile::parse(bytes);
    const auto &v = file.values;
    const int order[7] = {1, 2, 3, 4, 5, 6, 7}; // TClavier, TExos, TPhrases, TTexte, TJeu, TTableur, TSaisie
    for (int i = 0; i < 7; ++i)
        if (LessonWindow *w = lessonOfModule(order[i]))
            w->SetIni(v[1 + i]);
    for (int i = 0; i < 7; ++i)
        setMenuCode(order[i], v[8 + i]);
    if (LessonWindow *w = lessonOfModule(v[0]))
        showLesson(w);
}

void TMainForm::SaveItemClick()
{
    if (!lessonFileName.isEmpty())
        Sauver();
    else
        Enregistrersous1Click();
}

void TMainForm::Enregistrersous1Click()
{
    const QString name = ui::prompter().saveFileName(this, kSaveFilter, kExtension);
    if (name.isEmpty())
        return;
    lessonFileName = name;
    Sauver();
}

void TMainForm::Sauver()
{
    LessonFile file;
    auto &v = file.values;
    const LessonWindow *active = activeLesson();
    v[0] = (active && active->moduleCode() >= 2 && active->moduleCode() <= 7) ? active->moduleCode() : 1;
    for (int module = 1; module <= 7; ++module) {
        const LessonWindow *w = lessonOfModule(module);
        v[module] = w ? w->GetIni() : 0;
        v[7 + module] = menuCode(module);
    }
    QString reason;
    if (!writeFileSafely(lessonFileName, file.serialize(), &reason))
        ui::prompter().error(this, QStringLiteral("Impossible d'enregistrer la leçon « %1 » : %2.\n"
                                                  "Le fichier précédent est resté intact.")
                                       .arg(QFileInfo(lessonFileName).fileName(), reason));
}
