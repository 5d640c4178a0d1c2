// Printing lines of text, for the notepad. Qt's print support is loaded on
// first use; the default output goes to the default printer, and without one
// the same pages can go into a PDF file. Tests print to a PDF file.
#pragma once
#include <QFont>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace ui {

class TextPrinter
{
public:
    virtual ~TextPrinter() = default;
    // Prints each line as one printed line, in the font; returns an empty
    // text on success, else the French message to show.
    virtual QString printLines(const QStringList &lines, const QFont &font, const QString &title) = 0;
    // Whether a default printer is there to print on.
    virtual bool hasDefaultPrinter() { return true; }
    // The same pages into a PDF file; the message on failure.
    virtual QString saveAsPdf(const QStringList &lines, const QFont &font, const QString &title,
                              const QString &fileName);
};

// Prints on the default printer, or into a PDF file when one is named
// (unless noPrinter: then it acts as a machine without a printer).
class QtTextPrinter final : public TextPrinter
{
public:
    explicit QtTextPrinter(const QString &pdfFile = QString(), bool noPrinter = false);
    QString printLines(const QStringList &lines, const QFont &font, const QString &title) override;
    bool hasDefaultPrinter() override;
    QString saveAsPdf(const QStringList &lines, const QFont &font, const QString &title,
                      const QString &fileName) override;

private:
    QString m_pdfFile;
    bool m_noPrinter;
};

// Prints the lines on the default printer; without one, offers to save them
// as a PDF file instead. Every question and message goes through the
// prompter.
void printOrSavePdf(QWidget *parent, const QStringList &lines, const QFont &font, const QString &title);

// The files the print module may be loaded from, in order: the one in the
// program's own folder when the learner or root owns both and nobody else
// may write them, then the one of the installed library folder.
QStringList printModuleFiles(const QString &programFolder);

TextPrinter &textPrinter();
// Replaces the printer (tests); returns the previous one.
std::unique_ptr<TextPrinter> setTextPrinter(std::unique_ptr<TextPrinter> printer);

} // namespace ui
