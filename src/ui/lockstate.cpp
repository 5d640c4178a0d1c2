// Lock key states with held-key tracking.
#include "ui/lockstate.h"

#include "ui/keycodes.h"

namespace ui {

int LockState::keyState(int vk) const
{
    int state = isOn(vk) ? 1 : 0;
    if (m_held.contains(vk))
        state |= ~0x7FFF; // high bit of a 16-bit short, sign-extended
    return state;
}

void LockState::noteKey(int vk, bool down)
{
    if (down) {
        if (!m_held.contains(vk)) {
            m_held.insert(vk);
            if (vk == vk::Capital || vk == vk::NumLock || vk == vk::Scroll)
                toggled(vk);
        }
    } else {
        m_held.remove(vk);
    }
}

namespace {
int slot(int vk)
{
    return vk == vk::NumLock ? 0 : vk == vk::Capital ? 1 : vk == vk::Scroll ? 2 : -1;
}
} // namespace

SystemLockState::SystemLockState()
{
    for (int code : {int(vk::NumLock), int(vk::Capital), int(vk::Scroll)}) {
        bool known = false;
        bool on = x11Indicator(code, &known);
        if (!known)
            on = waylandIndicator(code, &known);
        if (known)
            m_on[slot(code)] = on;
    }
}

bool SystemLockState::isOn(int vk) const
{
    const int s = slot(vk);
    if (s < 0)
        return false;
    bool known = false;
    bool on = x11Indicator(vk, &known);
    if (!known)
        on = waylandIndicator(vk, &known);
    return known ? on : m_on[s];
}

void SystemLockState::toggled(int vk)
{
    const int s = slot(vk);
    if (s >= 0)
        m_on[s] = !m_on[s];
}

void FakeLockState::setOn(int vk, bool on)
{
    if (on)
        m_on.insert(vk);
    else
        m_on.remove(vk);
}

namespace {
std::unique_ptr<LockState> &instance()
{
    static std::unique_ptr<LockState> state;
    return state;
}
} // namespace

namespace {
std::function<void()> &changedHandler()
{
    static std::function<void()> handler;
    return handler;
}
} // namespace

void setLocksChangedHandler(std::function<void()> handler)
{
    changedHandler() = std::move(handler);
}

void notifyLocksChanged()
{
    if (changedHandler())
        changedHandler()();
}

LockState &lockState()
{
    if (!instance())
        instance() = std::make_unique<SystemLockState>();
    return *instance();
}

void setLockState(std::unique_ptr<LockState> state)
{
    instance() = std::move(state);
}

} // namespace ui
