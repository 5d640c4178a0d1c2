// The notepad's printer: Qt's print support through the printing module,
// loaded at the first print; without a default printer the same pages can go
// into a PDF file.
#include "ui/accessories_printer.h"

#include "ui/prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <sys/stat.h>
#include <unistd.h>

namespace ui {

namespace {

using PrintLines = void (*)(const QStringList &, const QFont &, const QString &, const QString &, QString &);
using HasDefaultPrinter = bool (*)();

struct PrintModule
{
    PrintLines print = nullptr;
    HasDefaultPrinter hasDefaultPrinter = nullptr;
};

// Qt's print support lives in a module of its own, loaded at the first print.
const PrintModule &printModule()
{
    static const PrintModule module = [] {
        for (const QString &file : printModuleFiles(QCoreApplication::applicationDirPath())) {
            QLibrary library(file);
            PrintModule found;
            found.print = reinterpret_cast<PrintLines>(library.resolve("tapivoxPrintLines"));
            found.hasDefaultPrinter =
                reinterpret_cast<HasDefaultPrinter>(library.resolve("tapivoxHasDefaultPrinter"));
            if (found.print && found.hasDefaultPrinter)
                return found;
        }
        return PrintModule{};
    }();
    return module;
}

// Only the learner or root may have written it: a file or a folder another
// user can write could hold any code.
bool safeToLoad(const QString &path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    const bool trustedOwner = st.st_uid == 0 || st.st_uid == ::geteuid();
    return trustedOwner && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

const QString kNoModule =
    QStringLiteral("Impossible d'imprimer : le module d'impression de Tapivox est introuvable");

QString pdfFailure(const QString &fileName)
{
    return QStringLiteral("Ne peut créer le fichier %1").arg(fileName);
}

} // namespace

QStringList printModuleFiles(const QString &programFolder)
{
    const QString name = QStringLiteral("/tapivox_print.so");
    QStringList files;
    // The build tree, or a copy the learner keeps in a folder of their own.
    const QString own = QFileInfo(programFolder + name).canonicalFilePath();
    if (!own.isEmpty() && safeToLoad(QFileInfo(own).absolutePath()) && safeToLoad(own))
        files << own;
    files << QStringLiteral(TAPIVOX_MODULE_DIR) + name;
    return files;
}

QString TextPrinter::saveAsPdf(const QStringList &, const QFont &, const QString &, const QString &fileName)
{
    return pdfFailure(fileName);
}

QtTextPrinter::QtTextPrinter(const QString &pdfFile, bool noPrinter)
    : m_pdfFile(pdfFile)
    , m_noPrinter(noPrinter)
{}

bool QtTextPrinter::hasDefaultPrinter()
{
    if (m_noPrinter)
        return false;
    if (!m_pdfFile.isEmpty())
        return true;
    const PrintModule &module = printModule();
    // Without the module the learner is told so by the print itself.
    return !module.hasDefaultPrinter || module.hasDefaultPrinter();
}

QString QtTextPrinter::printLines(const QStringList &lines, const QFont &font, const QString &title)
{
    if (m_noPrinter)
        return QStringLiteral("Aucune imprimante par défaut sélectionnée");
    const PrintModule &module = printModule();
    if (!module.print)
        return kNoModule;
    QString error;
    module.print(lines, font, title, m_pdfFile, error);
    return error;
}

QString QtTextPrinter::saveAsPdf(const QStringList &lines, const QFont &font, const QString &title,
                                 const QString &fileName)
{
    const PrintModule &module = printModule();
    if (!module.print)
        return kNoModule;
    QString error;
    module.print(lines, font, title, fileName, error);
    return error.isEmpty() ? QString() : pdfFailure(fileName);
}

void printOrSavePdf(QWidget *parent, const QStringList &lines, const QFont &font, const QString &title)
{
    TextPrinter &printer = textPrinter();
    if (printer.hasDefaultPrinter()) {
        const QString error = printer.printLines(lines, font, title);
        if (!error.isEmpty())
            prompter().error(parent, error);
        return;
    }
    if (prompter().askYesNoCancel(parent, QStringLiteral("Aucune imprimante par défaut sélectionnée.\n"
                                                         "Enregistrer les notes dans un fichier PDF ?")) !=
        Prompter::Answer::Yes)
        return;
    const QString fileName =
        prompter().saveFileName(parent, QStringLiteral("Fichiers PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo::exists(fileName) &&
        prompter().askYesNoCancel(parent, QStringLiteral("Le fichier %1 existe déjà. Le remplacer ?")
                                              .arg(QDir::toNativeSeparators(fileName))) !=
            Prompter::Answer::Yes)
        return;
    const QString error = printer.saveAsPdf(lines, font, title, fileName);
    if (!error.isEmpty())
        prompter().error(parent, error);
    else
        prompter().information(parent, QStringLiteral("Les notes ont été enregistrées dans le fichier %1.")
                                           .arg(QDir::toNativeSeparators(fileName)));
}

namespace {
std::unique_ptr<TextPrinter> &instance()
{
    static std::unique_ptr<TextPrinter> p;
    return p;
}
} // namespace

TextPrinter &textPrinter()
{
    if (!instance())
        instance() = std::make_unique<QtTextPrinter>();
    return *instance();
}

std::unique_ptr<TextPrinter> setTextPrinter(std::unique_ptr<TextPrinter> printer)
{
    std::unique_ptr<TextPrinter> old = std::move(instance());
    instance() = std::move(printer);
    return old;
}

} // namespace ui
