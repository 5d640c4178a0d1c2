// Windows-1252 <-> Unicode. Every text of the program is Windows-1252: key
// descriptions, the character table and the notes file speak in its codes.
#pragma once
#include <QByteArray>
#include <QChar>
#include <QString>

namespace ui {

// The Unicode character of a Windows-1252 code; the five undefined codes
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
QChar cp1252ToUnicode(quint8 code);

// The Windows-1252 code of a character, or -1 when the code page has none.
int unicodeToCp1252(QChar ch);

QString fromCp1252(const QByteArray &bytes);

// Encodes text; a character without a code becomes '?' and clears *ok.
QByteArray toCp1252(const QString &text, bool *ok = nullptr);

// True when every character of text has a Windows-1252 code.
bool fitsCp1252(const QString &text);

} // namespace ui
