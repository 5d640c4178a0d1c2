// The characters of a keymap, read through libxkbcommon: what each key types
// at each level, and the presses that type a given character.
#include "keymodel/keymodel.h"

#include "ui/deadkeys.h"

#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <QHash>
#include <QStringList>

#include <array>
#include <climits>
#include <cstdlib>

namespace keyboard {

namespace {

constexpr int kLeftShift = 50;
constexpr int kRightShift = 62;
constexpr int kMinKeycode = 8;
constexpr int kMaxKeycode = 255;
constexpr int kLevels = 4; // plain, Shift, AltGr, Shift+AltGr

// Qt numbers its dead keys as X numbers its dead keysyms.
constexpr xkb_keysym_t kFirstDead = 0xfe50; // dead_grave
constexpr xkb_keysym_t kLastDead = 0xfe8f;  // end of the dead keysyms
constexpr int kQtFirstDead = 0x01001250;    // Qt::Key_Dead_Grave

bool deadSym(xkb_keysym_t sym)
{
    return sym >= kFirstDead && sym <= kLastDead;
}

ui::DeadKey deadKeyOfSym(xkb_keysym_t sym)
{
    return deadSym(sym) ? ui::deadKeyOf(kQtFirstDead + int(sym - kFirstDead)) : ui::DeadKey{};
}

QChar symChar(xkb_keysym_t sym)
{
    if (deadSym(sym))
        return deadKeyOfSym(sym).spacing;
    const char32_t u = xkb_keysym_to_utf32(sym);
    return u != 0 && u < 0x10000 ? QChar(char16_t(u)) : QChar();
}

xkb_keysym_t oneSym(xkb_state *state, int keycode)
{
    return xkb_state_key_get_one_sym(state, xkb_keycode_t(keycode));
}

// The keycode whose plain level gives sym, the preferred one when it does.
int keyGiving(xkb_keymap *keymap, xkb_layout_index_t group, xkb_keysym_t sym, int preferred)
{
    int found = 0;
    for (int kc = kMinKeycode; kc <= kMaxKeycode; ++kc) {
        const xkb_keysym_t *syms = nullptr;
        if (xkb_keymap_key_get_syms_by_level(keymap, xkb_keycode_t(kc), group, 0, &syms) >= 1 &&
            syms[0] == sym) {
            if (kc == preferred)
                return kc;
            if (!found)
                found = kc;
        }
    }
    return found;
}

// Dead keys compose as in a French session; "C" has the same table where
// the French locale is not installed. The table depends on the locale alone
// and takes most of a model's reading (the locale's whole Compose file), so
// it is read once: a new keymap (another device's keys, setxkbmap) reuses it.
xkb_compose_table *sharedComposeTable(xkb_context *context)
{
    static xkb_compose_table *const table = [context] {
        xkb_compose_table *t =
            xkb_compose_table_new_from_locale(context, "fr_FR.UTF-8", XKB_COMPOSE_COMPILE_NO_FLAGS);
        return t ? t : xkb_compose_table_new_from_locale(context, "C", XKB_COMPOSE_COMPILE_NO_FLAGS);
    }();
    return table;
}

} // namespace

struct KeyModel::Data
{
    QString name;
    xkb_context *context = nullptr;
    xkb_keymap *keymap = nullptr;
    // Read at the first dead key asked about: most of a model's memory.
    mutable xkb_compose_table *compose = nullptr;
    mutable bool composeRead = false;
    xkb_layout_index_t group = 0; // the layout in use, when the keymap has several
    int altGrKey = 0;             // 0 when the keymap has no third level key
    int capsKey = 0;
    // What each key gives at each level, from a fresh state.
    std::array<std::array<xkb_keysym_t, kLevels>, kMaxKeycode + 1> syms{};
    mutable QHash<char16_t, HowToType> answers;

    xkb_compose_table *composeTable() const
    {
        if (!composeRead) {
            composeRead = true;
            compose = sharedComposeTable(context);
            if (compose)
                xkb_compose_table_ref(compose);
        }
        return compose;
    }

    ~Data()
    {
        if (compose)
            xkb_compose_table_unref(compose);
        if (keymap)
            xkb_keymap_unref(keymap);
        if (context)
            xkb_context_unref(context);
    }

    int shiftFor(int keycode) const
    {
        const PhysicalKey *key = keyByEvdev(keycode - 8);
        return key && leftHand(key->finger) ? kRightShift : kLeftShift;
    }

    KeyStep step(KeyStep::Kind kind, int keycode, int level) const
    {
        KeyStep s;
        s.kind = kind;
        s.shift = level & 1;
        s.altGr = level & 2;
        if (s.shift)
            s.keycodes.append(shiftFor(keycode));
        if (s.altGr)
            s.keycodes.append(altGrKey);
        s.keycodes.append(keycode);
        return s;
    }

    xkb_state *newState() const
    {
        xkb_state *state = xkb_state_new(keymap);
        if (group != 0)
            xkb_state_update_mask(state, 0, 0, 0, 0, 0, group);
        return state;
    }

    xkb_state *stateAt(int level, bool capsLock) const
    {
        xkb_state *state = newState();
        if (capsLock && capsKey) {
            xkb_state_update_key(state, xkb_keycode_t(capsKey), XKB_KEY_DOWN);
            xkb_state_update_key(state, xkb_keycode_t(capsKey), XKB_KEY_UP);
        }
        if (level & 1)
            xkb_state_update_key(state, kLeftShift, XKB_KEY_DOWN);
        if (level & 2)
            xkb_state_update_key(state, xkb_keycode_t(altGrKey), XKB_KEY_DOWN);
        return state;
    }

    void read()
    {
        altGrKey = keyGiving(keymap, group, XKB_KEY_ISO_Level3_Shift, 108);
        capsKey = keyGiving(keymap, group, XKB_KEY_Caps_Lock, 66);
        for (int level = 0; level < kLevels; ++level) {
            if ((level & 2) && !altGrKey)
                continue;
            xkb_state *state = stateAt(level, false);
            for (int kc = kMinKeycode; kc <= kMaxKeycode; ++kc)
                syms[std::size_t(kc)][std::size_t(level)] = oneSym(state, kc);
            xkb_state_unref(state);
        }
    }

    // Whether a dead key then a key type c, both by the program's own
    // composer and by xkbcommon's compose table.
    bool composed(xkb_keysym_t dead, xkb_keysym_t sym, QChar c) const
    {
        const QChar typed = symChar(sym);
        if (typed.isNull() || ui::composeAfterDeadKey(deadKeyOfSym(dead), QString(typed)) != QString(c))
            return false;
        xkb_compose_table *table = composeTable();
        if (!table)
            return true;
        xkb_compose_state *state = xkb_compose_state_new(table, XKB_COMPOSE_STATE_NO_FLAGS);
        xkb_compose_state_feed(state, dead);
        xkb_compose_state_feed(state, sym);
        QString theirs;
        if (xkb_compose_state_get_status(state) == XKB_COMPOSE_COMPOSED) {
            char utf8[64];
            xkb_compose_state_get_utf8(state, utf8, sizeof utf8);
            theirs = QString::fromUtf8(utf8);
        }
        xkb_compose_state_unref(state);
        return theirs == QString(c);
    }

    bool unprinted(int keycode, int level) const;
    HowToType search(QChar c) const;
};

namespace {

// The keys of the typing block: those a finger presses.
const std::array<bool, kMaxKeycode + 1> &typingBlockKeys()
{
    static const std::array<bool, kMaxKeycode + 1> keys = [] {
        std::array<bool, kMaxKeycode + 1> block{};
        for (const PhysicalKey &key : physicalKeys())
            block[std::size_t(xKeycode(key))] = key.finger != Finger::None;
        return block;
    }();
    return keys;
}

bool typingBlock(int keycode)
{
    return typingBlockKeys()[std::size_t(keycode)];
}

// The order in which keys are tried: the typing block first, in reading
// order, then the keypad and the rest.
const QList<int> &searchOrder()
{
    static const QList<int> order = [] {
        QList<int> keys;
        for (const PhysicalKey &key : physicalKeys())
            if (key.finger != Finger::None)
                keys.append(xKeycode(key));
        for (const PhysicalKey &key : physicalKeys())
            if (key.finger == Finger::None)
                keys.append(xKeycode(key));
        for (int kc = kMinKeycode; kc <= kMaxKeycode; ++kc)
            if (!keys.contains(kc))
                keys.append(kc);
        return keys;
    }();
    return order;
}

} // namespace

// Linux's French layout puts ~ on Shift+², which no keycap prints (~ is
// AltGr+é there): the learner is shown the printed way.
bool KeyModel::Data::unprinted(int keycode, int level) const
{
    return level == 1 && symChar(syms[std::size_t(keycode)][0]) == QChar(0x00B2) &&
           symChar(syms[std::size_t(keycode)][1]) == u'~';
}

// Rank of the ways: one press without Alt Gr (typing block, then elsewhere),
// then a dead key that a keycap prints (plain or Shift) before a key, then one
// press with Alt Gr, then Caps Lock, then a dead key reached with Alt Gr,
// which no French keycap shows.
HowToType KeyModel::Data::search(QChar c) const
{
    HowToType how;
    how.character = c;
    const QList<int> &order = searchOrder();
    enum Pass { Printed, Elsewhere, Unprinted };
    // A press without Alt Gr on a printed key first; Alt Gr and what no
    // keycap prints come after the dead keys the lessons teach.
    auto onePress = [&](bool late) {
        for (Pass pass : {Printed, Elsewhere, Unprinted})
            for (int level = 0; level < kLevels; ++level)
                for (int kc : order) {
                    const bool block = typingBlock(kc);
                    if ((pass == Elsewhere) == block ||
                        (pass != Elsewhere && (pass == Unprinted) != unprinted(kc, level)))
                        continue;
                    if (late != (bool(level & 2) || pass == Unprinted))
                        continue;
                    const xkb_keysym_t sym = syms[std::size_t(kc)][std::size_t(level)];
                    if (sym != XKB_KEY_NoSymbol && !deadSym(sym) && symChar(sym) == c) {
                        how.steps = {step(KeyStep::Press, kc, level)};
                        return true;
                    }
                }
        return false;
    };
    if (onePress(false))
        return how;

    auto viaDeadKey = [&](bool altGrDead) {
        int best = INT_MAX;
        for (int deadLevel = 0; deadLevel < kLevels; ++deadLevel) {
            if (bool(deadLevel & 2) != altGrDead)
                continue;
            for (int dk : order) {
                const xkb_keysym_t dead = syms[std::size_t(dk)][std::size_t(deadLevel)];
                if (!deadSym(dead))
                    continue;
                for (int level = 0; level < kLevels; ++level)
                    for (int kc : order) {
                        const xkb_keysym_t sym = syms[std::size_t(kc)][std::size_t(level)];
                        const int cost = deadLevel + level;
                        if (cost >= best || !typingBlock(kc) || sym == XKB_KEY_NoSymbol || deadSym(sym))
                            continue;
                        if (composed(dead, sym, c)) {
                            best = cost;
                            how.steps = {step(KeyStep::DeadKey, dk, deadLevel),
                                         step(KeyStep::Press, kc, level)};
                        }
                    }
            }
        }
        return how.typable();
    };
    // The dead key the lessons teach (^ then the space, ^ then e) comes
    // before Alt Gr, even where Alt Gr gives the character in one press.
    if (viaDeadKey(false) || onePress(true))
        return how;

    if (capsKey) {
        for (int level = 0; level < kLevels && !how.typable(); ++level) {
            if ((level & 2) && !altGrKey)
                continue;
            xkb_state *state = stateAt(level, true);
            for (int kc : order) {
                if (!typingBlock(kc))
                    continue;
                const xkb_keysym_t sym = oneSym(state, kc);
                if (sym != XKB_KEY_NoSymbol && !deadSym(sym) && symChar(sym) == c) {
                    KeyStep lock;
                    lock.kind = KeyStep::CapsLock;
                    lock.keycodes = {capsKey};
                    how.steps = {lock, step(KeyStep::Press, kc, level), lock};
                    break;
                }
            }
            xkb_state_unref(state);
        }
        if (how.typable())
            return how;
    }
    viaDeadKey(true);
    return how;
}

KeyModel::KeyModel()
    : d(std::make_unique<Data>())
{}

KeyModel::~KeyModel() = default;

std::unique_ptr<KeyModel> KeyModel::fromLayoutName(const QString &layout)
{
    QString name = layout.trimmed();
    QString variant;
    const qsizetype open = name.indexOf(QLatin1Char('('));
    if (open >= 0) {
        if (!name.endsWith(QLatin1Char(')')))
            return nullptr;
        variant = name.mid(open + 1, name.size() - open - 2);
        name.truncate(open);
    }
    if (name.isEmpty())
        return nullptr;
    xkb_context *context = newContext();
    if (!context)
        return nullptr;
    const QByteArray layoutBytes = name.toUtf8();
    const QByteArray variantBytes = variant.toUtf8();
    xkb_rule_names names{};
    names.rules = "evdev";
    names.model = "pc105";
    names.layout = layoutBytes.constData();
    names.variant = variantBytes.constData();
    names.options = "";
    xkb_keymap *keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    return fromXkb(context, keymap, layout.trimmed());
}

std::unique_ptr<KeyModel> KeyModel::fromKeymapText(const QByteArray &text)
{
    xkb_context *context = newContext();
    if (!context)
        return nullptr;
    xkb_keymap *keymap = xkb_keymap_new_from_buffer(context, text.constData(), std::size_t(text.size()),
                                                    XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    return fromXkb(context, keymap, QString());
}

xkb_context *KeyModel::newContext()
{
    // The learner's environment (XKB_DEFAULT_*) must not change a layout
    // asked for by name; a keymap that does not compile says so by a null
    // model, not on the terminal.
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    if (context)
        xkb_context_set_log_level(context, XKB_LOG_LEVEL_CRITICAL);
    return context;
}

std::unique_ptr<KeyModel> KeyModel::fromXkb(xkb_context *context, xkb_keymap *keymap, const QString &name,
                                            int group)
{
    if (!keymap) {
        xkb_context_unref(context);
        return nullptr;
    }
    std::unique_ptr<KeyModel> model(new KeyModel);
    Data &d = *model->d;
    d.context = context;
    d.keymap = keymap;
    d.name = name;
    if (group > 0 && xkb_layout_index_t(group) < xkb_keymap_num_layouts(keymap))
        d.group = xkb_layout_index_t(group);
    if (d.name.isEmpty() && xkb_keymap_num_layouts(keymap) > 0)
        if (const char *group = xkb_keymap_layout_get_name(keymap, 0))
            d.name = QString::fromUtf8(group);
    d.read();
    return model;
}

QString KeyModel::name() const
{
    return d->name;
}

bool KeyModel::sameKeymap(const KeyModel &other) const
{
    if (d->group != other.d->group || d->name != other.d->name || d->syms != other.d->syms)
        return false;
    const auto text = [](xkb_keymap *keymap) {
        char *text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
        const QByteArray bytes(text);
        free(text);
        return bytes;
    };
    return text(d->keymap) == text(other.d->keymap);
}

QChar KeyModel::character(int keycode, int level) const
{
    if (keycode < kMinKeycode || keycode > kMaxKeycode || level < 0 || level >= kLevels)
        return QChar();
    return symChar(d->syms[std::size_t(keycode)][std::size_t(level)]);
}

bool KeyModel::isDeadKey(int keycode, int level) const
{
    if (keycode < kMinKeycode || keycode > kMaxKeycode || level < 0 || level >= kLevels)
        return false;
    return deadSym(d->syms[std::size_t(keycode)][std::size_t(level)]);
}

bool KeyModel::sameKey(int keycode, const KeyModel &other, int levels) const
{
    if (keycode < kMinKeycode || keycode > kMaxKeycode)
        return false;
    for (int level = 0; level < levels && level < kLevels; ++level)
        if (d->syms[std::size_t(keycode)][std::size_t(level)] !=
            other.d->syms[std::size_t(keycode)][std::size_t(level)])
            return false;
    return true;
}

QString KeyModel::keycap(int keycode) const
{
    const QChar plain = character(keycode, 0);
    const QChar shifted = character(keycode, 1);
    if (plain.isNull())
        return shifted.isNull() ? QString() : QString(shifted);
    if (plain.isLetter() && shifted == plain.toUpper())
        return QString(shifted);
    if (shifted.isNull() || shifted == plain || d->unprinted(keycode, 1))
        return QString(plain);
    return QString(shifted) + plain;
}

namespace {

QString accentName(xkb_keysym_t dead)
{
    switch (dead) {
    case XKB_KEY_dead_grave: return QStringLiteral("accent grave");
    case XKB_KEY_dead_acute: return QStringLiteral("accent aigu");
    case XKB_KEY_dead_circumflex: return QStringLiteral("accent circonflexe");
    case XKB_KEY_dead_tilde: return QStringLiteral("tilde");
    case XKB_KEY_dead_macron: return QStringLiteral("macron");
    case XKB_KEY_dead_breve: return QStringLiteral("brève");
    case XKB_KEY_dead_abovedot: return QStringLiteral("point en chef");
    case XKB_KEY_dead_diaeresis: return QStringLiteral("tréma");
    case XKB_KEY_dead_abovering: return QStringLiteral("rond en chef");
    case XKB_KEY_dead_doubleacute: return QStringLiteral("double accent aigu");
    case XKB_KEY_dead_caron: return QStringLiteral("caron");
    case XKB_KEY_dead_cedilla: return QStringLiteral("cédille");
    case XKB_KEY_dead_ogonek: return QStringLiteral("ogonek");
    case XKB_KEY_dead_belowdot: return QStringLiteral("point souscrit");
    default: return QString(symChar(dead));
    }
}

} // namespace

QString KeyModel::keyName(int keycode) const
{
    if (const PhysicalKey *key = keyByEvdev(keycode - 8))
        if (QString fixed = fixedKeyName(*key); !fixed.isEmpty())
            return fixed;
    if (isDeadKey(keycode, 0) || isDeadKey(keycode, 1)) {
        QStringList accents;
        for (int level : {0, 1}) {
            const xkb_keysym_t sym = d->syms[std::size_t(keycode)][std::size_t(level)];
            const QString name = deadSym(sym) ? accentName(sym) : QString(symChar(sym));
            if (!name.isEmpty() && !accents.contains(name))
                accents.append(name);
        }
        return accents.join(QStringLiteral(" et "));
    }
    const QString cap = keycap(keycode);
    return cap.size() == 2 ? cap.right(1) + QLatin1Char(' ') + cap.left(1) : cap;
}

HowToType KeyModel::howToType(QChar c) const
{
    const auto it = d->answers.constFind(c.unicode());
    if (it != d->answers.constEnd())
        return it.value();
    HowToType how = d->search(c);
    d->answers.insert(c.unicode(), how);
    return how;
}

QString KeyModel::typeThrough(const QList<KeyStep> &steps) const
{
    xkb_state *state = d->newState();
    xkb_compose_table *table = d->composeTable();
    xkb_compose_state *compose = table ? xkb_compose_state_new(table, XKB_COMPOSE_STATE_NO_FLAGS) : nullptr;
    xkb_keysym_t pendingDead = XKB_KEY_NoSymbol; // without a compose table
    QString text;
    for (const KeyStep &s : steps) {
        if (s.keycodes.isEmpty())
            continue;
        for (int kc : s.keycodes.first(s.keycodes.size() - 1))
            xkb_state_update_key(state, xkb_keycode_t(kc), XKB_KEY_DOWN);
        const auto key = xkb_keycode_t(s.key());
        xkb_state_update_key(state, key, XKB_KEY_DOWN);
        const xkb_keysym_t sym = xkb_state_key_get_one_sym(state, key);
        if (compose && xkb_compose_state_feed(compose, sym) == XKB_COMPOSE_FEED_ACCEPTED) {
            switch (xkb_compose_state_get_status(compose)) {
            case XKB_COMPOSE_COMPOSED: {
                char utf8[64];
                xkb_compose_state_get_utf8(compose, utf8, sizeof utf8);
                text += QString::fromUtf8(utf8);
                xkb_compose_state_reset(compose);
                break;
            }
            case XKB_COMPOSE_CANCELLED: xkb_compose_state_reset(compose); break;
            case XKB_COMPOSE_COMPOSING: break;
            case XKB_COMPOSE_NOTHING:
                text += symChar(sym).isNull() ? QString() : QString(symChar(sym));
                break;
            }
        } else if (deadSym(sym)) {
            pendingDead = sym;
        } else if (const QChar typed = symChar(sym); !typed.isNull()) {
            if (pendingDead != XKB_KEY_NoSymbol)
                text += ui::composeAfterDeadKey(deadKeyOfSym(pendingDead), QString(typed));
            else
                text += typed;
            pendingDead = XKB_KEY_NoSymbol;
        }
        xkb_state_update_key(state, key, XKB_KEY_UP);
        for (qsizetype i = s.keycodes.size() - 2; i >= 0; --i)
            xkb_state_update_key(state, xkb_keycode_t(s.keycodes[i]), XKB_KEY_UP);
    }
    if (compose)
        xkb_compose_state_unref(compose);
    xkb_state_unref(state);
    return text;
}

} // namespace keyboard
