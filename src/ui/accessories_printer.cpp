// Text lines on a printer page, with page breaks as the lines run out.
#include "ui/accessories_printer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace ui {

QtTextPrinter::QtTextPrinter(const QString &pdfFile)
    : m_pdfFile(pdfFile)
{}

QString QtTextPrinter::printLines(const QStringList &lines, const QFont &font, const QString &title)
{
    std::unique_ptr<QPrinter> printer;
    if (m_pdfFile.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return QStringLiteral("Aucune imprimante par défaut sélectionnée");
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_pdfFile);
    }
    printer->setDocName(title);

    // A font given in screen pixels keeps its size on paper.
    QFont paperFont = font;
    if (font.pixelSize() > 0)
        paperFont.setPointSizeF(font.pixelSize() * 72.0 / 96.0);

    QPainter painter;
    if (!painter.begin(printer.get()))
        return QStringLiteral("Impossible d'imprimer sur %1").arg(printer->printerName());
    painter.setFont(QFont(paperFont, printer.get()));
    const QFontMetricsF metrics(painter.font(), printer.get());
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
