// Lesson file reading and writing.
#include "app/lessonfile.h"

#include <QFile>
#include <QFileInfo>

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
    for (std::int32_t &value : file.values) {
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
        value = (result.ec == std::errc() && result.ptr == last && first < last) ? parsed : 0;
        // The rest of the line is ignored.
        while (pos < end && data[pos] != '\n')
            ++pos;
    }
    return file;
}

QByteArray LessonFile::serialize() const
{
    QByteArray out;
    for (std::int32_t value : values) {
        out += QByteArray::number(value);
        out += "\r\n";
    }
    return out;
}

bool readWholeFile(const QString &path, QByteArray *data, QString *error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = QStringLiteral("c'est un dossier");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error =
            info.exists() ? QStringLiteral("lecture refusée") : QStringLiteral("le fichier n'existe pas");
        return false;
    }
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}
