// The notepad's printer: Qt's print support through the printing module.
#include "ui/accessories_printer.h"

#include <QCoreApplication>
#include <QLibrary>

namespace ui {

namespace {

using PrintLines = void (*)(const QStringList &, const QFont &, const QString &, const QString &, QString &);

// Qt's print support lives in a module of its own, loaded at the first print:
// next to the program (build tree), else in the library folder of the
// installation the program belongs to, else where it was meant to go.
PrintLines printModule()
{
    static PrintLines print = [] {
        const QString programFolder = QCoreApplication::applicationDirPath();
        for (const QString &folder :
             {programFolder, programFolder + QStringLiteral("/../" TAPIVOX_MODULE_SUBDIR),
              QStringLiteral(TAPIVOX_MODULE_DIR)}) {
            QLibrary module(folder + QStringLiteral("/tapivox_print"));
            if (auto found = reinterpret_cast<PrintLines>(module.resolve("tapivoxPrintLines")))
                return found;
        }
        return PrintLines(nullptr);
    }();
    return print;
}

} // namespace

QtTextPrinter::QtTextPrinter(const QString &pdfFile)
    : m_pdfFile(pdfFile)
{}

QString QtTextPrinter::printLines(const QStringList &lines, const QFont &font, const QString &title)
{
    const PrintLines print = printModule();
    if (!print)
        return QStringLiteral("Impossible d'imprimer : le module d'impression de Tapivox est introuvable");
    QString error;
    print(lines, font, title, m_pdfFile, error);
    return error;
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
