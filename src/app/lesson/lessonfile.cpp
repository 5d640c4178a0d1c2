// Lesson file reading and writing.
#include "app/lesson/lessonfile.h"

#include <algorithm>
#include <charconv>

namespace {
bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}
constexpr char kEndOfFile = 26;
} // namespace

LessonFile LessonFile::parse(const QByteArray &bytes)
{
    LessonFile file;
    qsizetype end = bytes.indexOf(kEndOfFile);
    if (end < 0)
        end = bytes.size();
    const char *data = bytes.constData();
    qsizetype pos = 0;
    for (int index = 0; index < kMaxLines; ++index) {
        while (pos < end && isBlank(data[pos]))
            ++pos;
        if (pos >= end)
            break;
        const qsizetype start = pos;
        while (pos < end && !isBlank(data[pos]) && pos - start < 32)
            ++pos;
        const char *first = data + start;
        const char *last = data + pos;
        if (first < last && *first == '+')
            ++first; // from_chars takes no plus sign
        std::int32_t parsed = 0;
        const auto result = std::from_chars(first, last, parsed);
        const std::int32_t value =
            (result.ec == std::errc() && result.ptr == last && first < last) ? parsed : 0;
        if (index < kLines)
            file.values[index] = value;
        else
            file.more.append(value);
        // The rest of the line is ignored.
        while (pos < end && data[pos] != '\n')
            ++pos;
    }
    // Only whole pairs.
    if (file.more.size() % 2)
        file.more.removeLast();
    return file;
}

std::int32_t &LessonFile::code(int module, int which)
{
    if (module <= kModules)
        return values[which == 0 ? module : kModules + module];
    const qsizetype index = 2 * (module - kModules - 1) + which;
    if (more.size() <= index)
        more.resize(index + 2 - which, 0);
    return more[index];
}

std::int32_t LessonFile::code(int module, int which) const
{
    if (module <= kModules)
        return values[which == 0 ? module : kModules + module];
    return more.value(2 * (module - kModules - 1) + which);
}

bool LessonFile::isLessonFile(const QByteArray &bytes)
{
    qsizetype end = bytes.indexOf(kEndOfFile);
    if (end < 0)
        end = bytes.size();
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const char *data = bytes.constData();
    int count = 0;
    qsizetype pos = 0;
    while (pos < end) {
        qsizetype lineEnd = pos;
        while (lineEnd < end && data[lineEnd] != '\n')
            ++lineEnd;
        qsizetype first = pos;
        qsizetype last = lineEnd;
        pos = lineEnd + 1;
        while (first < last && isSpace(data[first]))
            ++first;
        while (last > first && isSpace(data[last - 1]))
            --last;
        if (first == last)
            continue; // an empty line
        if (data[first] == '+' || data[first] == '-')
            ++first;
        if (first == last || !std::all_of(data + first, data + last, isDigit) || ++count > kMaxLines)
            return false;
    }
    // Lessons added after the seven append their two codes.
    return count > 0 && (count <= kLines || (count - kLines) % 2 == 0);
}

QByteArray LessonFile::serialize() const
{
    QByteArray out;
    for (std::int32_t value : values) {
        out += QByteArray::number(value);
        out += "\r\n";
    }
    for (std::int32_t value : more) {
        out += QByteArray::number(value);
        out += "\r\n";
    }
    return out;
}

bool readLessonFile(const QString &path, LessonFile *file, QString *error)
{
    QByteArray bytes;
    if (!ui::readRegularFile(path, kMaxLessonFileBytes, &bytes, error))
        return false;
    if (!LessonFile::isLessonFile(bytes)) {
        if (error)
            *error = QStringLiteral("ce n'est pas un fichier de leçon Tapivox");
        return false;
    }
    *file = LessonFile::parse(bytes);
    return true;
}
