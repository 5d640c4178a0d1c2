// libFuzzer target: the reader of the learner's own text takes any bytes;
// what it accepts is Windows-1252 text (or the sign the judging skips),
// with no blank line end and no empty last line, and reading it again as
// UTF-8 changes nothing it accepts.
#include "drills/owntext.h"
#include "ui/cp1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const owntext::Text text = owntext::fromBytes(bytes, QStringLiteral("essai.txt"));
    if (!text.ok()) {
        if (!text.text.isEmpty() || !text.error.contains(QLatin1String("essai.txt")))
            std::abort();
        return 0;
    }
    if (text.text.isEmpty() || text.text.endsWith(QLatin1Char('\n')) || text.text.contains(QLatin1Char('\r')))
        std::abort();
    for (QChar c : text.text)
        if (c != QChar(owntext::kSkipSign) &&
            (ui::unicodeToCp1252(c) < 0 || (c < u' ' && c != u'\t' && c != u'\n')))
            std::abort();
    for (const QString &line : text.text.split(QLatin1Char('\n')))
        if (line.endsWith(QLatin1Char(' ')) || line.endsWith(QLatin1Char('\t')))
            std::abort();
    // Once its invisible signs are gone a text may begin as a document does
    // ("%P" U+FEFF "DF-" becomes "%PDF-") and be refused the second time;
    // what is read again is read the same.
    const owntext::Text again = owntext::fromBytes(text.text.toUtf8(), QStringLiteral("essai.txt"));
    if (again.ok() && again.text != text.text)
        std::abort();
    return 0;
}
