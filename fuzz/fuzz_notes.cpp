// libFuzzer target: the notes loader takes any bytes, and the notes it reads
// written back and read again are the same notes.
#include "accessories/notesfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = notes::decode(bytes);
    if (text.contains(QLatin1Char('\r')))
        std::abort();
    const QByteArray saved = notes::encode(text);
    if (notes::decode(saved) != text)
        std::abort();
    // Saving what was read back gives the same bytes.
    if (notes::encode(notes::decode(saved)) != saved)
        std::abort();
    return 0;
}
