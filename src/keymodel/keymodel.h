// One model of the keyboard: the physical keys of a 105-key ISO keyboard
// (their place, codes and the finger that presses each), and the characters
// each key types on the learner's own keymap, read through libxkbcommon.
// Every view that needs a key or a finger (key names, the progression
// window's small keyboard, the guide) reads this model.
#pragma once
#include <QList>
#include <QObject>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <span>

struct xkb_context;
struct xkb_keymap;

namespace keyboard {

// The finger that presses a key, as the exercises teach it. Keys outside the
// typing block (function keys, arrows, the keypad) have none.
enum class Finger {
    None,
    LeftPinky,
    LeftRing,
    LeftMiddle,
    LeftIndex,
    Thumbs, // the space bar: either thumb
    RightThumb,
    RightIndex,
    RightMiddle,
    RightRing,
    RightPinky,
};

// "Auriculaire gauche", "Index droit", "Pouces", "Pouce droit"; empty for None.
QString fingerName(Finger finger);
// True for the fingers of the left hand.
bool leftHand(Finger finger);

struct PhysicalKey
{
    int evdev;           // evdev scan code; the X keycode is evdev + 8
    int virtualKey;      // virtual-key code of the key events (ui::vk), 0 if none
    const char *picture; // button of the keyboard window ("SpeedButton49"), or nullptr
    QRectF place;        // in key units, main block only: a letter key is 1 x 1
    Finger finger;
    bool homeBump; // F and J
};

// The 105 keys, in reading order, top row first. The keyboard window's own
// geometry and captions stay in its table (the picture is part of the lesson);
// this table carries what every other view needs.
std::span<const PhysicalKey> physicalKeys();
const PhysicalKey *keyByEvdev(int evdev);
const PhysicalKey *keyByVirtualKey(int vk);
constexpr int xKeycode(const PhysicalKey &key)
{
    return key.evdev + 8;
}
// The French name of a key that types no character of its own or that the
// keypad holds ("Retour arrière", "Majuscule gauche", "7 du pavé
// numérique"); empty for the keys whose name is what they type.
QString fixedKeyName(const PhysicalKey &key);
// The same name shortened for the guide's sentences ("Maj gauche",
// "Verr. Maj", "F5"); empty where fixedKeyName is.
QString shortKeyName(const PhysicalKey &key);
// The caption of such a key on a small keyboard picture ("Maj", "Tab");
// empty for the keys that keep a blank cap there.
QString keyCaption(const PhysicalKey &key);

// One press in the sequence that types a character: the keys held at that
// moment as X keycodes, modifiers first (Shift on the other hand's side,
// AltGr), the key itself last.
struct KeyStep
{
    enum Kind {
        Press,    // the key types the character (with the modifiers held)
        DeadKey,  // the key is a dead key: nothing yet, the next step completes
        CapsLock, // Verr. Maj toggled, before a capital that only it gives
    };
    Kind kind = Press;
    QList<int> keycodes;
    bool shift = false;
    bool altGr = false;
    int key() const { return keycodes.isEmpty() ? 0 : keycodes.last(); }
    friend bool operator==(const KeyStep &, const KeyStep &) = default;
};

// How one character is typed on a keymap. Empty steps: not typable there.
// A capital given by Caps Lock ends with a CapsLock step that unlocks again.
struct HowToType
{
    QChar character;
    QList<KeyStep> steps;
    bool typable() const { return !steps.isEmpty(); }
};

// A keymap: xkbcommon's, read once; answers per key and per character.
class KeyModel final
{
public:
    ~KeyModel();
    KeyModel(const KeyModel &) = delete;
    KeyModel &operator=(const KeyModel &) = delete;

    // From xkbcommon's rule names: "fr", "fr(afnor)", "fr(oss)", "be",
    // "ch(fr)", "ca(fr)", "fr(bepo)", "us". Null when xkbcommon cannot
    // compile it. Used by the tests and as the fallback of the live model.
    static std::unique_ptr<KeyModel> fromLayoutName(const QString &layout);
    // From a keymap in xkbcommon's text format (what a Wayland compositor sends).
    static std::unique_ptr<KeyModel> fromKeymapText(const QByteArray &text);
    // From the X server of the running program (xkbcommon-x11); null off X11.
    static std::unique_ptr<KeyModel> fromX11Server();

    // "fr", "fr(bepo)", ... as built; the keymap's group name otherwise.
    QString name() const;
    // The same keymap and group: a keymap read again as it was.
    bool sameKeymap(const KeyModel &other) const;

    // The character a key types at a level (0 plain, 1 Shift, 2 AltGr,
    // 3 Shift+AltGr); a dead key gives its spacing character ("^"); null
    // when the key types nothing there.
    QChar character(int keycode, int level) const;
    bool isDeadKey(int keycode, int level) const;
    // What a keycap shows: the plain and Shift characters, upper first
    // ("1&": "1" over "&"), a letter key its capital only.
    QString keycap(int keycode) const;
    // The French name of a key on this keymap, as said after "Touche":
    // "& 1", "A", "accent circonflexe et tréma", "Majuscule gauche".
    QString keyName(int keycode) const;
    // Whether a key gives the same keysyms at its first levels (2: plain and
    // Shift, 4: with AltGr too) here and on other: a key the French layout
    // shares with the learner's keeps the French texts.
    bool sameKey(int keycode, const KeyModel &other, int levels = 2) const;

    // The shortest way to type c on this keymap, preferring no dead key,
    // then Shift, then AltGr; Caps Lock only when nothing else gives it but a
    // dead key behind AltGr, which no French keycap prints (É: Caps Lock, é,
    // Caps Lock rather than AltGr+, then Shift+E on the French layout).
    HowToType howToType(QChar c) const;

    // The keymap after it has typed steps from no modifier: the characters
    // that come out, dead keys composed as xkbcommon's compose tables do.
    // Tests check howToType with it.
    QString typeThrough(const QList<KeyStep> &steps) const;

private:
    KeyModel();
    static xkb_context *newContext();
    // Takes both; null (and both released) when keymap is null.
    static std::unique_ptr<KeyModel> fromXkb(xkb_context *context, xkb_keymap *keymap, const QString &name,
                                             int group = 0);
    struct Data;
    std::unique_ptr<Data> d;
};

// The learner's keymap while the program runs: the X server's or the
// compositor's, the French layout when neither can be read. It follows a
// change of layout.
class LiveKeyModel final : public QObject
{
    Q_OBJECT
public:
    static LiveKeyModel &instance();
    const KeyModel &model() const;
    // Tests and the offline renderings choose a layout by name.
    void useLayout(const QString &layoutName);

signals:
    void changed();

private:
    LiveKeyModel();
    void reread();
    void watch();
    std::unique_ptr<KeyModel> m_model;
    QString m_chosen; // the layout a test chose; the system's when empty
    bool m_watching = false;
};

// The plain characters accepted for c where the learner's layout cannot type
// it: the space for the non-breaking space, ' for ’, " for « and », "oe" for
// œ, "ae" for æ, "..." for …, "-" for – and —. Empty when c has none (€: a
// sign drill is no place for three letters).
QString plainEquivalent(QChar c);

// What the judged lessons take for a model character on a keymap: the
// character itself where the keymap types it; its plain stand-in besides it
// (' for ’ and ‘, which a beginner finds on every keyboard) or instead of it
// (oe for œ where the keymap has no œ); or, when neither can be typed,
// nothing at all: the lesson passes over the character.
struct Acceptance
{
    bool typable = false;
    QString standIn;
    bool skipped() const { return !typable && standIn.isEmpty(); }
};
// The rule itself, given whether the keymap types a character.
Acceptance acceptance(QChar c, const std::function<bool(QChar)> &typable);
Acceptance acceptance(const KeyModel &model, QChar c);

} // namespace keyboard
