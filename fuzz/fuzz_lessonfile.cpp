// libFuzzer target: the lesson-file reader takes any bytes without crashing,
// hanging or reading out of bounds, and what it reads writes back the same.
#include "app/lesson/lessonfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const LessonFile file = LessonFile::parse(bytes);
    if (LessonFile::parse(file.serialize()).values != file.values)
        std::abort();
    return 0;
}
