// Encoding and decoding of the notes file.
#include "accessories/notesfile.h"

#include "ui/cp1252.h"

#include <QDir>
#include <QStringDecoder>

namespace notes {
namespace {
const QByteArray kBom("\xEF\xBB\xBF");
}

QByteArray encode(const QString &text)
{
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    // Windows-1252 bytes that begin like the byte-order mark would be read
    // back as UTF-8: such notes are written as UTF-8 too.
    if (ui::fitsCp1252(crlf)) {
        QByteArray bytes = ui::toCp1252(crlf);
        if (!bytes.startsWith(kBom))
            return bytes;
    }
    return kBom + crlf.toUtf8();
}

QString decode(const QByteArray &bytes)
{
    // Only the first byte-order mark is the file's: a zero-width no-break
    // space at the start of the notes stays.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = bytes.startsWith(kBom) ? QString(utf8(bytes.mid(kBom.size()))) : ui::fromCp1252(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString collapseSeparator(const QString &name)
{
    const QString doubled(2, QDir::separator());
    QString out = name;
    const qsizetype at = out.indexOf(doubled);
    if (at >= 0)
        out.remove(at, 1);
    return out;
}

} // namespace notes
