// The printing module: text lines on printer pages, with page breaks as the
// lines run out. Loaded by the program the first time the notes are printed
// (ui::QtTextPrinter), so that Qt's print support, and the printing system
// behind it, is not loaded by every start-up.
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <QStringList>

#include <memory>

// Prints on the default printer, or into the PDF file when pdfFile is not
// empty; returns an empty text on success, else the French message to show.
extern "C" Q_DECL_EXPORT void tapivoxPrintLines(const QStringList &lines, const QFont &font,
                                                const QString &title, const QString &pdfFile, QString &error)
{
    std::unique_ptr<QPrinter> printer;
    if (pdfFile.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            error = QStringLiteral("Aucune imprimante par défaut sélectionnée");
            return;
        }
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile);
    }
    printer->setDocName(title);

    // A font given in screen pixels keeps its size on paper.
    QFont paperFont = font;
    if (font.pixelSize() > 0)
        paperFont.setPointSizeF(font.pixelSize() * 72.0 / 96.0);

    QPainter painter;
    if (!painter.begin(printer.get())) {
        error = QStringLiteral("Impossible d'imprimer sur %1").arg(printer->printerName());
        return;
    }
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
    error.clear();
}

extern "C" Q_DECL_EXPORT bool tapivoxHasDefaultPrinter()
{
    return !QPrinterInfo::defaultPrinter().isNull();
}
