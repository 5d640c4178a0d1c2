// XKB indicator query. Kept in a file of its own: Xlib's macros (KeyPress,
// Bool, None...) clash with Qt's names.
#include "ui/keycodes.h"

#include <QGuiApplication>

#ifdef TAPIVOX_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

namespace ui {

bool x11Indicator(int code, bool *known)
{
    *known = false;
#ifdef TAPIVOX_HAVE_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        return false;
    // Scroll Lock seldom has an indicator that its key drives: it is
    // tracked from the presses seen instead.
    if (code != vk::Capital && code != vk::NumLock)
        return false;
    Display *display = x11->display();
    static Atom capsAtom = XInternAtom(display, "Caps Lock", True);
    static Atom numAtom = XInternAtom(display, "Num Lock", True);
    const Atom atom = code == vk::Capital ? capsAtom : numAtom;
    if (atom == 0)
        return false;
    int on = 0;
    int index = -1;
    if (!XkbGetNamedIndicator(display, atom, &index, &on, nullptr, nullptr) || index < 0)
        return false;
    *known = true;
    return on != 0;
#else
    (void)code;
    return false;
#endif
}

} // namespace ui
