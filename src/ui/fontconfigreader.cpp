#include "ui/fontconfigreader.h"

#include <dlfcn.h>
#include <system_error>

namespace ui {

FontConfigReader::FontConfigReader()
{
    // Qt's font database initialises fontconfig at its first use; the same
    // call made here first leaves it nothing to read. The library is already
    // loaded with Qt's, so its symbol is looked up rather than linked.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init)
        return;
    try {
        m_thread = std::thread(init);
    } catch (const std::system_error &) {
        // No thread to spare: the first text reads it, as it would anyway.
    }
}

FontConfigReader::~FontConfigReader()
{
    wait();
}

void FontConfigReader::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace ui
