// The physical keys of a 105-key ISO keyboard and the finger that presses
// each, as the exercises teach them: the number row follows the keyboard's
// stagger (é with the left little finger, è with the right index).
#include "keymodel/keymodel.h"

#include <algorithm>

namespace keyboard {
namespace {

using F = Finger;

// Places follow the small keyboard of the progression window: five rows of
// the main block, 15 units wide. The right Windows key has no place there.
const PhysicalKey kKeys[] = {
    {1, 27, "SpeedButton49", {}, F::None, false}, // Échap
    {59, 112, "SpeedButton50", {}, F::None, false},
    {60, 113, "SpeedButton51", {}, F::None, false},
    {61, 114, "SpeedButton52", {}, F::None, false},
    {62, 115, "SpeedButton53", {}, F::None, false},
    {63, 116, "SpeedButton54", {}, F::None, false},
    {64, 117, "SpeedButton55", {}, F::None, false},
    {65, 118, "SpeedButton56", {}, F::None, false},
    {66, 119, "SpeedButton57", {}, F::None, false},
    {67, 120, "SpeedButton58", {}, F::None, false},
    {68, 121, "SpeedButton59", {}, F::None, false},
    {87, 122, "SpeedButton60", {}, F::None, false},
    {88, 123, "SpeedButton61", {}, F::None, false},
    {99, 44, "SpeedButton62", {}, F::None, false},  // Impression écran
    {70, 145, "SpeedButton63", {}, F::None, false}, // Arrêt défilement
    {119, 19, "SpeedButton64", {}, F::None, false}, // Pause

    {41, 222, "SpeedButton27", {0, 0, 1, 1}, F::LeftPinky, false}, // ²
    {2, '1', "SpeedButton28", {1, 0, 1, 1}, F::LeftPinky, false},
    {3, '2', "SpeedButton29", {2, 0, 1, 1}, F::LeftPinky, false},
    {4, '3', "SpeedButton30", {3, 0, 1, 1}, F::LeftRing, false},
    {5, '4', "SpeedButton31", {4, 0, 1, 1}, F::LeftMiddle, false},
    {6, '5', "SpeedButton32", {5, 0, 1, 1}, F::LeftIndex, false},
    {7, '6', "SpeedButton33", {6, 0, 1, 1}, F::LeftIndex, false},
    {8, '7', "SpeedButton34", {7, 0, 1, 1}, F::RightIndex, false},
    {9, '8', "SpeedButton35", {8, 0, 1, 1}, F::RightIndex, false},
    {10, '9', "SpeedButton36", {9, 0, 1, 1}, F::RightMiddle, false},
    {11, '0', "SpeedButton37", {10, 0, 1, 1}, F::RightRing, false},
    {12, 219, "SpeedButton80", {11, 0, 1, 1}, F::RightRing, false},  // ) °
    {13, 187, "SpeedButton81", {12, 0, 1, 1}, F::RightPinky, false}, // = +
    {14, 8, "SpeedButton84", {13, 0, 2, 1}, F::RightPinky, false},   // Retour arrière
    {110, 45, "SpeedButton70", {}, F::None, false},                  // Insertion
    {102, 36, "SpeedButton71", {}, F::None, false},                  // Début
    {104, 33, "SpeedButton72", {}, F::None, false},                  // Page précédente
    {69, 144, "SpeedButton88", {}, F::None, false},                  // Verr. Num
    {98, 111, "SpeedButton89", {}, F::None, false},
    {55, 106, "SpeedButton90", {}, F::None, false},
    {74, 109, "SpeedButton91", {}, F::None, false},

    {15, 9, "SpeedButton38", {0, 1, 1.5, 1}, F::LeftPinky, false}, // Tabulation
    {16, 'A', "SpeedButton1", {1.5, 1, 1, 1}, F::LeftPinky, false},
    {17, 'Z', "SpeedButton2", {2.5, 1, 1, 1}, F::LeftRing, false},
    {18, 'E', "SpeedButton3", {3.5, 1, 1, 1}, F::LeftMiddle, false},
    {19, 'R', "SpeedButton4", {4.5, 1, 1, 1}, F::LeftIndex, false},
    {20, 'T', "SpeedButton5", {5.5, 1, 1, 1}, F::LeftIndex, false},
    {21, 'Y', "SpeedButton6", {6.5, 1, 1, 1}, F::RightIndex, false},
    {22, 'U', "SpeedButton7", {7.5, 1, 1, 1}, F::RightIndex, false},
    {23, 'I', "SpeedButton8", {8.5, 1, 1, 1}, F::RightMiddle, false},
    {24, 'O', "SpeedButton9", {9.5, 1, 1, 1}, F::RightRing, false},
    {25, 'P', "SpeedButton10", {10.5, 1, 1, 1}, F::RightPinky, false},
    {26, 221, "SpeedButton82", {11.5, 1, 1, 1}, F::RightPinky, false},  // ^ ¨
    {27, 186, "SpeedButton83", {12.5, 1, 1, 1}, F::RightPinky, false},  // $ £
    {28, 13, "SpeedButton85", {13.5, 1, 1.5, 1}, F::RightPinky, false}, // Entrée
    {111, 46, "SpeedButton73", {}, F::None, false},                     // Suppression
    {107, 35, "SpeedButton74", {}, F::None, false},                     // Fin
    {109, 34, "SpeedButton75", {}, F::None, false},                     // Page suivante
    {71, 103, "SpeedButton92", {}, F::None, false},
    {72, 104, "SpeedButton93", {}, F::None, false},
    {73, 105, "SpeedButton94", {}, F::None, false},
    {78, 107, "SpeedButton103", {}, F::None, false},

    {58, 20, "SpeedButton39", {0, 2, 1.75, 1}, F::LeftPinky, false}, // Verr. Maj
    {30, 'Q', "SpeedButton11", {1.75, 2, 1, 1}, F::LeftPinky, false},
    {31, 'S', "SpeedButton12", {2.75, 2, 1, 1}, F::LeftRing, false},
    {32, 'D', "SpeedButton13", {3.75, 2, 1, 1}, F::LeftMiddle, false},
    {33, 'F', "SpeedButton14", {4.75, 2, 1, 1}, F::LeftIndex, true},
    {34, 'G', "SpeedButton15", {5.75, 2, 1, 1}, F::LeftIndex, false},
    {35, 'H', "SpeedButton16", {6.75, 2, 1, 1}, F::RightIndex, false},
    {36, 'J', "SpeedButton17", {7.75, 2, 1, 1}, F::RightIndex, true},
    {37, 'K', "SpeedButton18", {8.75, 2, 1, 1}, F::RightMiddle, false},
    {38, 'L', "SpeedButton19", {9.75, 2, 1, 1}, F::RightRing, false},
    {39, 'M', "SpeedButton20", {10.75, 2, 1, 1}, F::RightPinky, false},
    {40, 192, "SpeedButton46", {11.75, 2, 1, 1}, F::RightPinky, false}, // ù %
    {43, 220, "SpeedButton47", {12.75, 2, 1, 1}, F::RightPinky, false}, // * µ
    {75, 100, "SpeedButton95", {}, F::None, false},
    {76, 101, "SpeedButton96", {}, F::None, false},
    {77, 102, "SpeedButton97", {}, F::None, false},

    {42, 16, "SpeedButton41", {0, 3, 1.25, 1}, F::LeftPinky, false},  // Maj gauche
    {86, 226, "SpeedButton40", {1.25, 3, 1, 1}, F::LeftPinky, false}, // < >
    {44, 'W', "SpeedButton21", {2.25, 3, 1, 1}, F::LeftPinky, false},
    {45, 'X', "SpeedButton22", {3.25, 3, 1, 1}, F::LeftRing, false},
    {46, 'C', "SpeedButton23", {4.25, 3, 1, 1}, F::LeftMiddle, false},
    {47, 'V', "SpeedButton24", {5.25, 3, 1, 1}, F::LeftIndex, false},
    {48, 'B', "SpeedButton25", {6.25, 3, 1, 1}, F::LeftIndex, false},
    {49, 'N', "SpeedButton26", {7.25, 3, 1, 1}, F::RightIndex, false},
    {50, 188, "SpeedButton42", {8.25, 3, 1, 1}, F::RightIndex, false},    // , ?
    {51, 190, "SpeedButton43", {9.25, 3, 1, 1}, F::RightMiddle, false},   // ; .
    {52, 191, "SpeedButton44", {10.25, 3, 1, 1}, F::RightRing, false},    // : /
    {53, 223, "SpeedButton45", {11.25, 3, 1, 1}, F::RightPinky, false},   // ! §
    {54, 16, "SpeedButton48", {12.25, 3, 2.75, 1}, F::RightPinky, false}, // Maj droite
    {103, 38, "SpeedButton79", {}, F::None, false},                       // Flèche haut
    {79, 97, "SpeedButton98", {}, F::None, false},
    {80, 98, "SpeedButton99", {}, F::None, false},
    {81, 99, "SpeedButton100", {}, F::None, false},
    {96, 13, "SpeedButton104", {}, F::None, false}, // Entrée du pavé numérique

    {29, 17, "SpeedButton65", {0, 4, 1.5, 1}, F::LeftPinky, false},     // Ctrl gauche
    {125, 91, "SpeedButton66", {1.5, 4, 1, 1}, F::None, false},         // Windows gauche
    {56, 18, "SpeedButton67", {2.5, 4, 1.5, 1}, F::None, false},        // Alt
    {57, 32, "SpeedButton68", {4, 4, 6, 1}, F::Thumbs, false},          // Espace
    {100, 18, "SpeedButton69", {10, 4, 1.5, 1}, F::RightThumb, false},  // Alt Gr
    {126, 92, "SpeedButton86", {}, F::None, false},                     // Windows droite
    {127, 93, "SpeedButton108", {11.5, 4, 1, 1}, F::None, false},       // Menu
    {97, 17, "SpeedButton87", {12.5, 4, 2.5, 1}, F::RightPinky, false}, // Ctrl droit
    {105, 37, "SpeedButton78", {}, F::None, false},
    {108, 40, "SpeedButton76", {}, F::None, false},
    {106, 39, "SpeedButton77", {}, F::None, false},
    {82, 96, "SpeedButton102", {}, F::None, false},
    {83, 110, "SpeedButton101", {}, F::None, false},
};

static_assert(std::size(kKeys) == 105);

} // namespace

std::span<const PhysicalKey> physicalKeys()
{
    return kKeys;
}

const PhysicalKey *keyByEvdev(int evdev)
{
    for (const PhysicalKey &key : kKeys)
        if (key.evdev == evdev)
            return &key;
    return nullptr;
}

const PhysicalKey *keyByVirtualKey(int vk)
{
    if (vk == 0)
        return nullptr;
    for (const PhysicalKey &key : kKeys)
        if (key.virtualKey == vk)
            return &key;
    return nullptr;
}

namespace {

// The keys that type no character of their own, in one table for every
// view: the name said after « Touche », the shorter one of the guide's
// sentences, and the caption of the small keyboard pictures.
struct KeyNames
{
    int evdev;
    const char *name;
    const char *shortName;
    const char *caption;
};

const KeyNames kNames[] = {
    {1, "Échap", "Échap", "Échap"},
    {99, "Impression écran", "Impr. écran", ""},
    {70, "Arrêt défilement", "Arrêt défil.", ""},
    {119, "Pause", "Pause", ""},
    {14, "Retour arrière", "Retour arrière", "⌫"},
    {110, "Insertion", "Inser", ""},
    {102, "Début", "Début", ""},
    {104, "Page précédente", "Page préc.", ""},
    {69, "Verrouillage numérique", "Verr. Num", ""},
    {15, "Tabulation", "Tabulation", "Tab"},
    {28, "Entrée", "Entrée", "Entrée"},
    {111, "Suppression", "Suppr", ""},
    {107, "Fin", "Fin", ""},
    {109, "Page suivante", "Page suiv.", ""},
    {58, "Verrouillage majuscules", "Verr. Maj", "Verr. Maj"},
    {42, "Majuscule gauche", "Maj gauche", "Maj"},
    {54, "Majuscule droite", "Maj droite", "Maj"},
    {103, "Flèche haut", "Flèche haut", ""},
    {29, "Ctrl gauche", "Ctrl gauche", "Ctrl"},
    {125, "Windows gauche", "Windows gauche", "Win"},
    {56, "Alt", "Alt", "Alt"},
    {57, "Espace", "Espace", "Espace"},
    {100, "Alt Gr", "Alt Gr", "Alt Gr"},
    {126, "Windows droite", "Windows droite", "Win"},
    {127, "Menu", "Menu", "Menu"},
    {97, "Ctrl droite", "Ctrl droite", "Ctrl"},
    {105, "Flèche gauche", "Flèche gauche", ""},
    {108, "Flèche bas", "Flèche bas", ""},
    {106, "Flèche droite", "Flèche droite", ""},
    {96, "Entrée du pavé numérique", "Entrée du pavé", ""},
};

const KeyNames *namesOf(int evdev)
{
    for (const KeyNames &names : kNames)
        if (names.evdev == evdev)
            return &names;
    return nullptr;
}

QString functionKeyName(int evdev)
{
    if (evdev >= 59 && evdev <= 68)
        return QStringLiteral("F%1").arg(evdev - 58);
    if (evdev == 87 || evdev == 88)
        return QStringLiteral("F%1").arg(evdev - 76);
    return QString();
}

} // namespace

QString fixedKeyName(const PhysicalKey &key)
{
    const int e = key.evdev;
    if (const KeyNames *names = namesOf(e))
        return QString::fromUtf8(names->name);
    if (QString f = functionKeyName(e); !f.isEmpty())
        return f;
    // The keypad: named by what it types with Num Lock on.
    static const struct
    {
        int evdev;
        char16_t typed;
    } kKeypad[] = {{98, u'/'}, {55, u'*'}, {74, u'-'}, {71, u'7'}, {72, u'8'},
                   {73, u'9'}, {78, u'+'}, {75, u'4'}, {76, u'5'}, {77, u'6'},
                   {79, u'1'}, {80, u'2'}, {81, u'3'}, {82, u'0'}, {83, u'.'}};
    for (const auto &k : kKeypad)
        if (k.evdev == e)
            return QString(QChar(k.typed)) + QStringLiteral(" du pavé numérique");
    return QString();
}

QString shortKeyName(const PhysicalKey &key)
{
    if (const KeyNames *names = namesOf(key.evdev))
        return QString::fromUtf8(names->shortName);
    return functionKeyName(key.evdev);
}

QString keyCaption(const PhysicalKey &key)
{
    if (const KeyNames *names = namesOf(key.evdev))
        return QString::fromUtf8(names->caption);
    return QString();
}

QString fingerName(Finger finger)
{
    switch (finger) {
    case Finger::None: break;
    case Finger::LeftPinky: return QStringLiteral("Auriculaire gauche");
    case Finger::LeftRing: return QStringLiteral("Annulaire gauche");
    case Finger::LeftMiddle: return QStringLiteral("Majeur gauche");
    case Finger::LeftIndex: return QStringLiteral("Index gauche");
    case Finger::Thumbs: return QStringLiteral("Pouces");
    case Finger::RightThumb: return QStringLiteral("Pouce droit");
    case Finger::RightIndex: return QStringLiteral("Index droit");
    case Finger::RightMiddle: return QStringLiteral("Majeur droit");
    case Finger::RightRing: return QStringLiteral("Annulaire droit");
    case Finger::RightPinky: return QStringLiteral("Auriculaire droit");
    }
    return QString();
}

bool leftHand(Finger finger)
{
    return finger == Finger::LeftPinky || finger == Finger::LeftRing || finger == Finger::LeftMiddle ||
           finger == Finger::LeftIndex;
}

QString plainEquivalent(QChar c)
{
    switch (c.unicode()) {
    case 0x00A0:
    case 0x202F: return QStringLiteral(" ");
    case 0x2019:
    case 0x2018: return QStringLiteral("'");
    case 0x00AB:
    case 0x00BB:
    case 0x201C:
    case 0x201D: return QStringLiteral("\"");
    case 0x0153: return QStringLiteral("oe");
    case 0x0152: return QStringLiteral("OE");
    case 0x00E6: return QStringLiteral("ae");
    case 0x00C6: return QStringLiteral("AE");
    case 0x2026: return QStringLiteral("...");
    case 0x2013:
    case 0x2014: return QStringLiteral("-");
    default: return QString();
    }
}

Acceptance acceptance(QChar c, const std::function<bool(QChar)> &typable)
{
    Acceptance a;
    // Tab and Entrée are keys of their own on every keyboard.
    a.typable = c.unicode() < 0x20 || typable(c);
    const bool always = c == QChar(0x2019) || c == QChar(0x2018);
    if (!a.typable || always) {
        const QString plain = plainEquivalent(c);
        if (std::all_of(plain.begin(), plain.end(), typable))
            a.standIn = plain;
    }
    return a;
}

Acceptance acceptance(const KeyModel &model, QChar c)
{
    return acceptance(c, [&model](QChar x) { return model.howToType(x).typable(); });
}

} // namespace keyboard
