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
    static constexpr int kModules = 7;
    // Line 1, then the seven lesson codes, then the seven menu codes.
    static constexpr int kLines = 1 + 2 * kModules;
    // The fifteen lines stay as they are; a file of a later version may
    // append a lesson code and a menu code for each module past the seven,
    // which this one reads past.
    static constexpr int kMaxLines = kLines + 2 * 64;
    std::array<std::int32_t, kLines> values{};

    // The module code of the window in front (line 1), and the lesson code
    // and menu code of a module (1..kModules).
    std::int32_t &activeModule() { return values[0]; }
    std::int32_t activeModule() const { return values[0]; }
    std::int32_t &lessonCode(int module) { return values[module]; }
    std::int32_t lessonCode(int module) const { return values[module]; }
    std::int32_t &menuCode(int module) { return values[kModules + module]; }
    std::int32_t menuCode(int module) const { return values[kModules + module]; }

    // Reads fifteen values: leading blanks, control characters and empty
    // lines are skipped, a value is at most 32 characters up to the next
    // blank, the rest of its line is ignored, code 26 ends the file. A value
    // that is missing, not an integer or outside 32 bits reads as 0.
    static LessonFile parse(const QByteArray &bytes);
    // Whether bytes are a lesson file rather than some other file: one to
    // fifteen lines (LF or CR LF), or fifteen and pairs after them, each a
    // decimal integer of any size with an optional sign, blanks around it;
    // empty lines are skipped and code 26 ends the file. Letters, control
    // characters or a sixteenth value alone mean another kind of file.
    static bool isLessonFile(const QByteArray &bytes);
    QByteArray serialize() const;
};

// A lesson file is a few hundred bytes; anything much larger is something else.
constexpr qint64 kMaxLessonFileBytes = 4096;

using ui::writeFileSafely;
// Reads a lesson file without blocking and with a bounded size. A file that
// cannot be read or is not a lesson file gives false with the reason in
// French in *error, and *file is left unchanged.
bool readLessonFile(const QString &path, LessonFile *file, QString *error);
