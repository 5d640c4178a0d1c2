// Text lines on a printer page, with page breaks as the lines run out.
#include "ui/accessories_printer.h"

#include "ui/prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace ui {

namespace {

// The notes' pages: one line a printed line, a new page when one is full.
QString paint(QPrinter *printer, const QStringList &lines, const QFont &font, const QString &failure)
{
    // A font given in screen pixels keeps its size on paper.
    QFont paperFont = font;
    if (font.pixelSize() > 0)
        paperFont.setPointSizeF(font.pixelSize() * 72.0 / 96.0);

    QPainter painter;
    if (!painter.begin(printer))
        return failure;
    painter.setFont(QFont(paperFont, printer));
    const QFontMetricsF metrics(painter.font(), printer);
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    const double height = page.height();
    double y = metrics.ascent();
    for (const QString &line : lines) {
        if (y + metrics.descent() > height) {
            printer->newPage();
            y = metrics.ascent();
        }
        painter.drawText(QPointF(0, y), line);
        y += metrics.lineSpacing();
    }
    painter.end();
    return {};
}

QString pdfFailure(const QString &fileName)
{
    return QStringLiteral("Ne peut créer le fichier %1").arg(fileName);
}

} // namespace

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
    return !m_pdfFile.isEmpty() || !QPrinterInfo::defaultPrinter().isNull();
}

QString QtTextPrinter::printLines(const QStringList &lines, const QFont &font, const QString &title)
{
    if (!m_pdfFile.isEmpty() && !m_noPrinter)
        return saveAsPdf(lines, font, title, m_pdfFile);
    const QPrinterInfo info = m_noPrinter ? QPrinterInfo() : QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return QStringLiteral("Aucune imprimante par défaut sélectionnée");
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(title);
    return paint(&printer, lines, font,
                 QStringLiteral("Impossible d'imprimer sur %1").arg(printer.printerName()));
}

QString QtTextPrinter::saveAsPdf(const QStringList &lines, const QFont &font, const QString &title,
                                 const QString &fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setDocName(title);
    return paint(&printer, lines, font, pdfFailure(fileName));
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
