// Windows-1252 conversion tables.
#include "ui/cp1252.h"

namespace ui {
namespace {

// Codes 0x80..0x9F; the undefined ones keep their own value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QChar cp1252ToUnicode(quint8 code)
{
    if (code >= 0x80 && code <= 0x9F)
        return QChar(kHigh[code - 0x80]);
    return QChar(code);
}

int unicodeToCp1252(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return 0x80 + i;
    return -1;
}

QString fromCp1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.append(cp1252ToUnicode(static_cast<quint8>(c)));
    return out;
}

QByteArray toCp1252(const QString &text, bool *ok)
{
    QByteArray out;
    out.reserve(text.size());
    bool all = true;
    for (QChar ch : text) {
        const int code = unicodeToCp1252(ch);
        if (code < 0) {
            all = false;
            out.append('?');
        } else {
            out.append(static_cast<char>(code));
        }
    }
    if (ok)
        *ok = all;
    return out;
}

bool fitsCp1252(const QString &text)
{
    for (QChar ch : text)
        if (unicodeToCp1252(ch) < 0)
            return false;
    return true;
}

} // namespace ui
