// The font configuration read on a thread of its own while the display is
// being opened, so that the first text shown finds it ready.
#pragma once

#include <thread>

namespace ui {

// Starts reading the font configuration at construction; wait() (or the
// destructor) returns once it is read. Nothing that lays out or draws text
// may run between the two: fontconfig would read it a second time on this
// thread instead of waiting. Does nothing where the platform's fonts do not
// come from fontconfig.
class FontConfigReader
{
public:
    FontConfigReader();
    ~FontConfigReader();
    FontConfigReader(const FontConfigReader &) = delete;
    FontConfigReader &operator=(const FontConfigReader &) = delete;

    void wait();

private:
    std::thread m_thread;
};

} // namespace ui
