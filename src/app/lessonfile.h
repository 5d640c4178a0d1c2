// The lesson file: fifteen decimal lines ended by CR LF (module code, seven
// lesson codes, seven menu codes).
#pragma once
#include <QByteArray>
#include <QString>

#include "ui/safefile.h"

#include <array>
#include <cstdint>

struct LessonFile
{
    std::array<std::int32_t, 15> values{};

    // Reads fifteen values: leading blanks, control characters and empty
    // lines are skipped, a value is at most 32 characters up to the next
    // blank, the rest of its line is ignored, code 26 ends the file. A value
    // that is missing, not an integer or outside 32 bits reads as 0.
    static LessonFile parse(const QByteArray &bytes);
    QByteArray serialize() const;
};

using ui::writeFileSafely;
// Reads a whole file; on failure *error holds the reason in French.
bool readWholeFile(const QString &path, QByteArray *data, QString *error);
