// Encoding and decoding of the notes file.
#include "accessories/notesfile.h"

#include "ui/cp1252.h"

#include <QDir>

namespace notes {
namespace {
const QByteArray kBom("\xEF\xBB\xBF");
}

QByteArray encode(const QString &text)
{
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (ui::fitsCp1252(crlf))
        return ui::toCp1252(crlf);
    return kBom + crlf.toUtf8();
}

QString decode(const QByteArray &bytes)
{
    QString text = bytes.startsWith(kBom) ? QString::fromUtf8(bytes.mid(kBom.size())) : ui::fromCp1252(bytes);
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
