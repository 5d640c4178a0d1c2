// Printing lines of text, for the notepad. The default output goes to the
// default printer through Qt's print support; tests print to a PDF file.
#pragma once
#include <QFont>
#include <QString>
#include <QStringList>

#include <memory>

namespace ui {

class TextPrinter
{
public:
    virtual ~TextPrinter() = default;
    // Prints each line as one printed line, in the font; returns an empty
    // text on success, else the French message to show.
    virtual QString printLines(const QStringList &lines, const QFont &font, const QString &title) = 0;
};

// Prints on the default printer, or into a PDF file when one is named.
class QtTextPrinter final : public TextPrinter
{
public:
    explicit QtTextPrinter(const QString &pdfFile = QString());
    QString printLines(const QStringList &lines, const QFont &font, const QString &title) override;

private:
    QString m_pdfFile;
};

TextPrinter &textPrinter();
// Replaces the printer (tests); returns the previous one.
std::unique_ptr<TextPrinter> setTextPrinter(std::unique_ptr<TextPrinter> printer);

} // namespace ui
