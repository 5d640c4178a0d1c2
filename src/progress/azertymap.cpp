// The small keyboard's keys, from the keyboard model.
#include "progress/azertymap.h"

#include "keymodel/keymodel.h"

#include <QStringList>

#include <vector>

namespace progress {

namespace {

// The names the key drill gives the keys that type no character.
struct NamedKey
{
    int evdev;
    const char *names;
};

const NamedKey kNamed[] = {
    {14, "Retour arrière"},  {15, "Tabulation"}, {28, "Entrée"},   {58, "Verr Maj"},
    {42, "Majuscules"},      {54, "Majuscules"}, {29, "Contrôle"}, {97, "Contrôle"},
    {125, "Windows gauche"}, {56, "Alt"},        {127, "Menu"},
};

// "1&" ("1" over "&") reads "& 1" on the small keyboard.
QString captionOf(const QString &keycap)
{
    return keycap.size() == 2 ? keycap.right(1) + QLatin1Char(' ') + keycap.left(1) : keycap;
}

std::vector<MapKey> build()
{
    const keyboard::KeyModel &model = keyboard::LiveKeyModel::instance().model();
    std::vector<MapKey> keys;
    for (const keyboard::PhysicalKey &key : keyboard::physicalKeys()) {
        if (key.place.isNull())
            continue;
        MapKey k{key.place, captionOf(model.keycap(keyboard::xKeycode(key))), QString(), key.evdev};
        if (!keyboard::fixedKeyName(key).isEmpty())
            k.caption = keyboard::keyCaption(key);
        for (const NamedKey &named : kNamed)
            if (named.evdev == key.evdev)
                k.names = QString::fromUtf8(named.names);
        keys.push_back(k);
    }
    return keys;
}

std::vector<MapKey> &mapKeys()
{
    static std::vector<MapKey> keys = build();
    return keys;
}

} // namespace

std::span<const MapKey> azertyKeys()
{
    // A change of layout while the program runs gives the keys new captions.
    static const bool following = [] {
        QObject::connect(&keyboard::LiveKeyModel::instance(), &keyboard::LiveKeyModel::changed,
                         [] { mapKeys() = build(); });
        return true;
    }();
    (void)following;
    return mapKeys();
}

int keyOf(const QString &expected)
{
    if (expected.isEmpty())
        return -1;
    const std::span<const MapKey> keys = azertyKeys();
    auto indexOf = [&](int evdev) {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i].evdev == evdev)
                return int(i);
        return -1;
    };
    if (expected.size() == 1) {
        // A judged line ends with Enter, whichever of CR and LF it holds.
        const QChar c = expected.front() == u'\n' ? QChar(u'\r') : expected.front();
        const keyboard::HowToType how = keyboard::LiveKeyModel::instance().model().howToType(c);
        for (const keyboard::KeyStep &step : how.steps)
            if (step.kind != keyboard::KeyStep::CapsLock)
                return indexOf(step.key() - 8);
        return -1;
    }
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i].names.split(QLatin1Char('|')).contains(expected))
            return int(i);
    return -1;
}

} // namespace progress
