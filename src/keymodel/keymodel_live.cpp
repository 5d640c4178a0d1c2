// The learner's own keymap while the program runs: read from the X server
// (xkbcommon-x11) or from the keymap the Wayland compositor sends, and read
// again when the layout changes. Built on first use, never at start-up.
#include "keymodel/keymodel.h"

#include "ui/lockstate.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QTimer>

#include <xkbcommon/xkbcommon.h>

#ifdef TAPIVOX_HAVE_XKB_X11
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#endif

namespace keyboard {

namespace {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

#ifdef TAPIVOX_HAVE_XKB_X11
xcb_connection_t *x11Connection()
{
    if (!qGuiApp || !onX11())
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The first event number of the XKB extension on the program's connection,
// or -1.
int xkbFirstEvent(xcb_connection_t *connection)
{
    static int first = -2;
    if (first == -2) {
        uint8_t base = 0;
        first = xkb_x11_setup_xkb_extension(
                    connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &base, nullptr)
                    ? base
                    : -1;
    }
    return first;
}

// Sees the XKB events the X server sends the program (Qt asks for them):
// a new keyboard, a new map, or another group of the same map. (xcb's XKB
// header does not compile as C++: the few bytes read are named here.)
class LayoutWatch final : public QAbstractNativeEventFilter
{
public:
    explicit LayoutWatch(std::function<void()> changed)
        : m_changed(std::move(changed))
    {}

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t" || m_first < 0)
            return false;
        const auto *bytes = static_cast<const uint8_t *>(message);
        if ((bytes[0] & 0x7f) != m_first)
            return false;
        enum { NewKeyboardNotify = 0, MapNotify = 1, StateNotify = 2 };
        constexpr int kGroupByte = 13; // xcb_xkb_state_notify_event_t::group
        if (bytes[1] == NewKeyboardNotify || bytes[1] == MapNotify) {
            m_changed();
        } else if (bytes[1] == StateNotify && bytes[kGroupByte] != m_group) {
            m_group = bytes[kGroupByte];
            m_changed();
        }
        return false;
    }

    int m_first = -1;
    uint8_t m_group = 0;

private:
    std::function<void()> m_changed;
};
#endif

// A tool that sends keys (wtype, a virtual keyboard) brings a keymap of the
// few keys it needs; the compositor may pass it on. A keymap whose typing
// block mostly types nothing is not the learner's keyboard.
bool learnersKeyboard(const KeyModel &model)
{
    int typing = 0, typed = 0;
    for (const PhysicalKey &key : physicalKeys())
        if (key.finger != Finger::None) {
            ++typing;
            typed += !model.character(xKeycode(key), 0).isNull();
        }
    return typed * 2 > typing;
}

} // namespace

std::unique_ptr<KeyModel> KeyModel::fromX11Server()
{
#ifdef TAPIVOX_HAVE_XKB_X11
    xcb_connection_t *connection = x11Connection();
    if (!connection || xkbFirstEvent(connection) < 0)
        return nullptr;
    const int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    if (device < 0)
        return nullptr;
    xkb_context *context = newContext();
    if (!context)
        return nullptr;
    xkb_keymap *keymap =
        xkb_x11_keymap_new_from_device(context, connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) {
        xkb_context_unref(context);
        return nullptr;
    }
    // The group in use, when the server has several layouts.
    xkb_layout_index_t group = 0;
    if (xkb_state *state = xkb_x11_state_new_from_device(keymap, connection, device)) {
        group = xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE);
        xkb_state_unref(state);
    }
    const char *groupName = xkb_keymap_layout_get_name(keymap, group);
    return fromXkb(context, keymap, groupName ? QString::fromUtf8(groupName) : QString(), int(group));
#else
    return nullptr;
#endif
}

LiveKeyModel &LiveKeyModel::instance()
{
    static LiveKeyModel live;
    return live;
}

LiveKeyModel::LiveKeyModel() = default;

const KeyModel &LiveKeyModel::model() const
{
    if (!m_model)
        const_cast<LiveKeyModel *>(this)->reread();
    return *m_model;
}

void LiveKeyModel::useLayout(const QString &layoutName)
{
    m_chosen = layoutName;
    m_model = KeyModel::fromLayoutName(layoutName);
    if (!m_model)
        m_model = KeyModel::fromLayoutName(QStringLiteral("fr"));
    emit changed();
}

void LiveKeyModel::reread()
{
    if (!m_chosen.isEmpty())
        return;
    watch();
    std::unique_ptr<KeyModel> model;
    if (onX11())
        model = KeyModel::fromX11Server();
    else if (onWayland())
        if (const QByteArray text = ui::waylandKeymap(); !text.isEmpty())
            model = KeyModel::fromKeymapText(text);
    if (model && !learnersKeyboard(*model))
        model.reset();
    if (!model && m_model)
        return; // keeps the keymap read before
    if (!model)
        model = KeyModel::fromLayoutName(QStringLiteral("fr"));
    // X11 says "new keyboard" at the first key from another device (the
    // program's first key, often): the same keymap changes nothing.
    if (m_model && m_model->sameKeymap(*model))
        return;
    const bool had = m_model != nullptr;
    m_model = std::move(model);
    if (had)
        emit changed();
}

// Layout changes come in bursts (a new keyboard, then its map): read once
// after the burst.
void LiveKeyModel::watch()
{
    if (m_watching || !qGuiApp)
        return;
    m_watching = true;
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(0);
    connect(timer, &QTimer::timeout, this, [this] {
        if (m_chosen.isEmpty())
            reread();
    });
#ifdef TAPIVOX_HAVE_XKB_X11
    if (xcb_connection_t *connection = x11Connection()) {
        static LayoutWatch filter([timer] { timer->start(); });
        filter.m_first = xkbFirstEvent(connection);
        qGuiApp->installNativeEventFilter(&filter);
    }
#endif
    ui::setKeymapChangedHandler([timer] { timer->start(); });
}

} // namespace keyboard
