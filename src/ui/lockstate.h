// Num Lock, Caps Lock and Scroll Lock, as Windows' GetKeyState reports them.
#pragma once
#include <QByteArray>
#include <QSet>

#include <functional>

#include <memory>

namespace ui {

class LockState
{
public:
    virtual ~LockState() = default;

    // Bit 0: the lock is on; negative while the key is held down. So the
    // value is exactly 1 when the lock is on and its key is up.
    int keyState(int vk) const;

    // Key events seen by the program keep the held keys (and, where the
    // system has no indicator, the lock states) up to date.
    void noteKey(int vk, bool down);

    virtual bool isOn(int vk) const = 0;

protected:
    virtual void toggled(int vk) { (void)vk; }

private:
    QSet<int> m_held;
};

// Reads Caps and Num Lock from the X server's indicators when running on
// X11 and from the compositor's keyboard modifiers under Wayland; Scroll Lock
// (seldom an indicator) and every lock elsewhere follow the lock keys seen.
class SystemLockState : public LockState
{
public:
    SystemLockState();
    bool isOn(int vk) const override;

protected:
    void toggled(int vk) override;

private:
    bool m_on[3] = {false, false, false};
};

// A lock state that tests set by hand.
class FakeLockState final : public LockState
{
public:
    bool isOn(int vk) const override { return m_on.contains(vk); }
    void setOn(int vk, bool on);

protected:
    void toggled(int) override {}

private:
    QSet<int> m_on;
};

LockState &lockState();
void setLockState(std::unique_ptr<LockState> state);

// X11 indicator query; false when not on X11 or no such indicator.
bool x11Indicator(int vk, bool *known);
// The same under Wayland, once the compositor has told the modifiers.
bool waylandIndicator(int vk, bool *known);

// Called when the system tells of a lock change that came with no key event
// of the program (Wayland: the keyboard came back to a window of the program
// with the locks changed elsewhere).
void setLocksChangedHandler(std::function<void()> handler);

// The keymap the Wayland compositor sent, in xkbcommon's text format; empty
// off Wayland or before the compositor has sent it. The handler runs when a
// new keymap comes.
QByteArray waylandKeymap();
void setKeymapChangedHandler(std::function<void()> handler);
void notifyLocksChanged();

} // namespace ui
