// The small AZERTY keyboard's keys.
#include "progress/azertymap.h"

#include <QStringList>

#include <vector>

namespace progress {

namespace {

struct RowKey
{
    const char *caption;
    const char *produces;
    double width;
    const char *names;
};

// clang-format off
const RowKey kRow0[] = {{"²", "²", 1, ""}, {"& 1", "&1", 1, ""}, {"é 2", "é2~", 1, ""}, {"\" 3", "\"3#", 1, ""},
    {"' 4", "'4{", 1, ""}, {"( 5", "(5[", 1, ""}, {"- 6", "-6|", 1, ""}, {"è 7", "è7`", 1, ""}, {"_ 8", "_8\\", 1, ""},
    {"ç 9", "ç9^", 1, ""}, {"à 0", "à0@", 1, ""}, {") °", ")°]", 1, ""}, {"= +", "=+}", 1, ""}, {"⌫", "", 2, "Retour arrière"}};
const RowKey kRow1[] = {{"Tab", "\t", 1.5, "Tabulation"}, {"A", "aA", 1, ""}, {"Z", "zZ", 1, ""}, {"E", "eE€", 1, ""},
    {"R", "rR", 1, ""}, {"T", "tT", 1, ""}, {"Y", "yY", 1, ""}, {"U", "uU", 1, ""}, {"I", "iI", 1, ""}, {"O", "oO", 1, ""},
    {"P", "pP", 1, ""}, {"^ ¨", "^¨âêîôûäëïöüÿÂÊÎÔÛÄËÏÖÜ", 1, ""}, {"$ £", "$£¤", 1, ""}, {"Entrée", "\r\n", 1.5, "Entrée"}};
const RowKey kRow2[] = {{"Verr Maj", "", 1.75, "Verr Maj"}, {"Q", "qQ", 1, ""}, {"S", "sS", 1, ""}, {"D", "dD", 1, ""},
    {"F", "fF", 1, ""}, {"G", "gG", 1, ""}, {"H", "hH", 1, ""}, {"J", "jJ", 1, ""}, {"K", "kK", 1, ""}, {"L", "lL", 1, ""},
    {"M", "mM", 1, ""}, {"ù %", "ù%", 1, ""}, {"* µ", "*µ", 1, ""}};
const RowKey kRow3[] = {{"Maj", "", 1.25, "Majuscules"}, {"< >", "<>", 1, ""}, {"W", "wW", 1, ""}, {"X", "xX", 1, ""},
    {"C", "cC", 1, ""}, {"V", "vV", 1, ""}, {"B", "bB", 1, ""}, {"N", "nN", 1, ""}, {", ?", ",?", 1, ""},
    {"; .", ";.", 1, ""}, {": /", ":/", 1, ""}, {"! §", "!§", 1, ""}, {"Maj", "", 2.75, "Majuscules"}};
const RowKey kRow4[] = {{"Ctrl", "", 1.5, "Contrôle"}, {"", "", 1, "Windows gauche"}, {"Alt", "", 1.5, "Alt"},
    {"Espace", " ", 6, ""}, {"Alt Gr", "", 1.5, ""}, {"", "", 1, "Menu"}, {"Ctrl", "", 2.5, "Contrôle"}};
// clang-format on

std::vector<MapKey> build()
{
    std::vector<MapKey> keys;
    const std::span<const RowKey> rows[] = {kRow0, kRow1, kRow2, kRow3, kRow4};
    for (int r = 0; r < 5; ++r) {
        double x = 0;
        for (const RowKey &k : rows[r]) {
            keys.push_back({QRectF(x, r, k.width, 1), QString::fromUtf8(k.caption),
                            QString::fromUtf8(k.produces), QString::fromUtf8(k.names)});
            x += k.width;
        }
    }
    return keys;
}

} // namespace

std::span<const MapKey> azertyKeys()
{
    static const std::vector<MapKey> keys = build();
    return keys;
}

int keyOf(const QString &expected)
{
    if (expected.isEmpty())
        return -1;
    const std::span<const MapKey> keys = azertyKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const MapKey &k = keys[i];
        if (expected.size() == 1 ? k.produces.contains(expected.at(0))
                                 : k.names.split(QLatin1Char('|')).contains(expected))
            return int(i);
    }
    return -1;
}

} // namespace progress
