// The lesson file: fifteen decimal lines ended by CR LF (module code, seven
// lesson codes, seven menu codes).
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

#include "ui/safefile.h"

#include <array>
#include <cstdint>

struct LessonFile
{
    // The seven modules the file has always held.
    static constexpr int kModules = 7;
    // Line 1, then the seven lesson codes, then the seven menu codes.
    static constexpr int kLines = 1 + 2 * kModules;
    // The fifteen lines stay as they are; a module past the seven appends
    // its lesson code and its menu code after them, in the order of the
    // modules, and a version that knows fewer modules reads past them.
    static constexpr int kMaxLines = kLines + 2 * 64;
    std::array<std::int32_t, kLines> values{};
    // The pairs after the fifteen lines: lesson code, menu code of module
    // 8, then of module 9...
    QList<std::int32_t> more;

    // The module code of the window in front (line 1), and the lesson code
    // and menu code of a module (1 and more; 0 for a module the file does
    // not hold).
    std::int32_t &activeModule() { return values[0]; }
    std::int32_t activeModule() const { return values[0]; }
    std::int32_t &lessonCode(int module) { return code(module, 0); }
    std::int32_t lessonCode(int module) const { return code(module, 0); }
    std::int32_t &menuCode(int module) { return code(module, 1); }
    std::int32_t menuCode(int module) const { return code(module, 1); }

    // Reads fifteen values, and the pairs after them: leading blanks, control characters and empty
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

private:
    std::int32_t &code(int module, int which);
    std::int32_t code(int module, int which) const;
};

// A lesson file is a few hundred bytes; anything much larger is something else.
constexpr qint64 kMaxLessonFileBytes = 4096;

using ui::writeFileSafely;
// Reads a lesson file without blocking and with a bounded size. A file that
// cannot be read or is not a lesson file gives false with the reason in
// French in *error, and *file is left unchanged.
bool readLessonFile(const QString &path, LessonFile *file, QString *error);
