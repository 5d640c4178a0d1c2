// Caps Lock and Num Lock under a Wayland compositor. The compositor tells a
// client its keyboard's modifiers (locks included) when one of its windows
// takes the keyboard and on every change; the program keeps a keyboard
// object of its own on Qt's connection and reads the lock lights of the xkb
// keymap from those modifiers. Scroll Lock drives no modifier in the
// usual keymaps: it follows the presses seen, as on X11. The same keyboard
// object keeps the keymap's text for the keyboard model.
#include "ui/keycodes.h"
#include "ui/lockstate.h"

#include <QGuiApplication>

#ifdef TAPIVOX_HAVE_WAYLAND
#include <QtGui/qpa/qplatformnativeinterface.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cstring>
#endif

namespace ui {

#ifdef TAPIVOX_HAVE_WAYLAND
namespace {

class WaylandLocks final
{
public:
    static WaylandLocks &instance()
    {
        static WaylandLocks locks;
        return locks;
    }

    // -1 while the compositor has said nothing.
    int state(const char *light)
    {
        follow();
        if (!m_state || !m_modsKnown)
            return -1;
        const int on = xkb_state_led_name_is_active(m_state, light);
        return on < 0 ? -1 : on;
    }

    QByteArray keymap()
    {
        follow();
        return m_keymapText;
    }

    std::function<void()> keymapChanged;

private:
    WaylandLocks() { m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS); }

    // The program's own binding of the seat, on Qt's connection: a keyboard
    // object of its own follows the seat's keyboard as it comes and goes,
    // and is told the modifiers whenever a window of the program has the
    // keyboard.
    void follow()
    {
        if (m_registry || !m_context)
            return;
        QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
        auto *display =
            native ? static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display")) : nullptr;
        if (!display)
            return;
        m_registry = wl_display_get_registry(display);
        static const wl_registry_listener registry = {&onGlobal, &onGlobalRemove};
        wl_registry_add_listener(m_registry, &registry, this);
        wl_display_flush(display);
    }

    static void onGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface,
                         uint32_t version)
    {
        auto *self = static_cast<WaylandLocks *>(data);
        if (self->m_seat || std::strcmp(interface, wl_seat_interface.name) != 0)
            return;
        self->m_seat = static_cast<wl_seat *>(
            wl_registry_bind(registry, name, &wl_seat_interface, std::min<uint32_t>(version, 5)));
        static const wl_seat_listener seat = {&onCapabilities, &onSeatName};
        wl_seat_add_listener(self->m_seat, &seat, self);
    }

    static void onGlobalRemove(void *, wl_registry *, uint32_t) {}

    static void onCapabilities(void *data, wl_seat *seat, uint32_t capabilities)
    {
        auto *self = static_cast<WaylandLocks *>(data);
        const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
        if (keyboard && !self->m_keyboard) {
            self->m_keyboard = wl_seat_get_keyboard(seat);
            static const wl_keyboard_listener listener = {&onKeymap, &onEnter,     &onLeave,
                                                          &onKey,    &onModifiers, &onRepeat};
            wl_keyboard_add_listener(self->m_keyboard, &listener, self);
        } else if (!keyboard && self->m_keyboard) {
            if (wl_keyboard_get_version(self->m_keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
                wl_keyboard_release(self->m_keyboard);
            else
                wl_keyboard_destroy(self->m_keyboard);
            self->m_keyboard = nullptr;
            self->m_modsKnown = false;
        }
    }

    static void onSeatName(void *, wl_seat *, const char *) {}

    static void onKeymap(void *data, wl_keyboard *, uint32_t format, int32_t fd, uint32_t size)
    {
        auto *self = static_cast<WaylandLocks *>(data);
        if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
            void *map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (map != MAP_FAILED) {
                const char *text = static_cast<const char *>(map);
                const std::size_t length = strnlen(text, size);
                xkb_keymap *keymap = xkb_keymap_new_from_buffer(
                    self->m_context, text, length, XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
                if (keymap) {
                    self->m_keymapText = QByteArray(text, qsizetype(length));
                    if (self->m_state)
                        xkb_state_unref(self->m_state);
                    self->m_state = xkb_state_new(keymap);
                    xkb_keymap_unref(keymap);
                }
                munmap(map, size);
                if (keymap && self->keymapChanged)
                    self->keymapChanged();
            }
        }
        close(fd);
    }

    static void onModifiers(void *data, wl_keyboard *, uint32_t, uint32_t depressed, uint32_t latched,
                            uint32_t locked, uint32_t group)
    {
        auto *self = static_cast<WaylandLocks *>(data);
        if (!self->m_state)
            return;
        xkb_state_update_mask(self->m_state, depressed, latched, locked, 0, 0, group);
        self->m_modsKnown = true;
        notifyLocksChanged();
    }

    static void onEnter(void *, wl_keyboard *, uint32_t, wl_surface *, wl_array *) {}
    static void onLeave(void *, wl_keyboard *, uint32_t, wl_surface *) {}
    static void onKey(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t) {}
    static void onRepeat(void *, wl_keyboard *, int32_t, int32_t) {}

    xkb_context *m_context = nullptr;
    xkb_state *m_state = nullptr;
    QByteArray m_keymapText;
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    wl_keyboard *m_keyboard = nullptr;
    bool m_modsKnown = false;
};

} // namespace
#endif

bool waylandIndicator(int code, bool *known)
{
    *known = false;
#ifdef TAPIVOX_HAVE_WAYLAND
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    if (code != vk::Capital && code != vk::NumLock)
        return false;
    const int on = WaylandLocks::instance().state(code == vk::Capital ? XKB_LED_NAME_CAPS : XKB_LED_NAME_NUM);
    if (on < 0)
        return false;
    *known = true;
    return on == 1;
#else
    (void)code;
    return false;
#endif
}

QByteArray waylandKeymap()
{
#ifdef TAPIVOX_HAVE_WAYLAND
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return WaylandLocks::instance().keymap();
#endif
    return QByteArray();
}

void setKeymapChangedHandler(std::function<void()> handler)
{
#ifdef TAPIVOX_HAVE_WAYLAND
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        WaylandLocks::instance().keymapChanged = std::move(handler);
#else
    (void)handler;
#endif
}

} // namespace ui
