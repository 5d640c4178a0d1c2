// libFuzzer target: any sequence of calculator keys runs without crash or
// undefined behaviour (a display that is not a number is the calculator's
// own conversion error, shown as such).
#include "accessories/calcengine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr int kKeyCount = static_cast<int>(CalcEngine::Key::Close) + 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    CalcEngine engine;
    for (std::size_t i = 0; i < size; ++i) {
        // Bytes below 128 are typed characters; the others name a key.
        const CalcEngine::Key key = data[i] < 128 ? CalcEngine::keyForChar(data[i])
                                                  : static_cast<CalcEngine::Key>(data[i] % kKeyCount);
        engine.press(key);
        // "C" forgets everything but the new-entry flag.
        if (key == CalcEngine::Key::Clear &&
            (!engine.display().isEmpty() || engine.pending() != 0 || engine.accumulatorSet()))
            std::abort();
        // Whatever the display holds, reading it back is safe.
        (void)calc::parseNumber(engine.display());
    }
    return 0;
}
