// Key picture table of the keyboard window.
#include "keyboard/keytable.h"

namespace keyboard {
namespace {

// Positions are inside the key picture panel (Panel1); every key is 25 × 25
// unless stated.
const KeyPicture kKeys[] = {
    {"SpeedButton49", "Esc", 12, 8, 25, 25, KeyFont::Arial10, "Escape"},
    {"SpeedButton50", "F1", 68, 8, 25, 25, KeyFont::Arial10, "F1"},
    {"SpeedButton51", "F2", 98, 8, 25, 25, KeyFont::Arial10, "F2"},
    {"SpeedButton52", "F3", 126, 8, 25, 25, KeyFont::Arial10, "F3"},
    {"SpeedButton53", "F4", 154, 8, 25, 25, KeyFont::Arial10, "F4"},
    {"SpeedButton54", "F5", 194, 8, 25, 25, KeyFont::Arial10, "F5"},
    {"SpeedButton55", "F6", 220, 8, 25, 25, KeyFont::Arial10, "F6"},
    {"SpeedButton56", "F7", 246, 8, 25, 25, KeyFont::Arial10, "F7"},
    {"SpeedButton57", "F8", 274, 8, 25, 25, KeyFont::Arial10, "F8"},
    {"SpeedButton58", "F9", 314, 8, 25, 25, KeyFont::Arial10, "F9"},
    {"SpeedButton59", "F10", 340, 8, 25, 25, KeyFont::Arial10, "F10"},
    {"SpeedButton60", "F11", 366, 8, 25, 25, KeyFont::Arial10, "F11"},
    {"SpeedButton61", "F12", 392, 8, 25, 25, KeyFont::Arial10, "F12"},
    {"SpeedButton62", "PtrS", 442, 8, 25, 25, KeyFont::Arial10, "Print Screen"},
    {"SpeedButton63", "Break", 470, 8, 25, 25, KeyFont::Arial10, "key between Print Screen and Pause"},
    {"SpeedButton64", "Pause", 498, 8, 25, 25, KeyFont::Arial10, "Pause"},
    {"SpeedButton105", "", 538, 8, 25, 25, KeyFont::Window, "Num Lock light"},
    {"SpeedButton106", "", 570, 8, 25, 25, KeyFont::Window, "Caps Lock light"},
    {"SpeedButton107", "", 602, 8, 25, 25, KeyFont::Window, "Scroll Lock light"},
    {"SpeedButton27", "²", 12, 48, 25, 25, KeyFont::Window, "key left of 1"},
    {"SpeedButton28", "1", 40, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton29", "2", 69, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton30", "3", 98, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton31", "4", 126, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton32", "5", 154, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton33", "6", 182, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton34", "7", 210, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton35", "8", 238, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton36", "9", 266, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton37", "0", 294, 48, 25, 25, KeyFont::Window, "digit row"},
    {"SpeedButton80", "°", 322, 48, 25, 25, KeyFont::Window, "key right of 0"},
    {"SpeedButton81", "+", 350, 48, 25, 25, KeyFont::Window, "key left of Backspace"},
    {"SpeedButton84", "ç", 378, 48, 55, 25, KeyFont::Symbol17, "Backspace (heavy left arrow)"},
    {"SpeedButton70", "Ins", 442, 48, 25, 25, KeyFont::Arial10, "Insert"},
    {"SpeedButton71", "Hom", 470, 48, 25, 25, KeyFont::Arial10, "Home"},
    {"SpeedButton72", "PgUp", 498, 48, 25, 25, KeyFont::Arial10, "Page Up"},
    {"SpeedButton88", "Num L", 538, 48, 25, 25, KeyFont::Arial10, "Num Lock"},
    {"SpeedButton89", "/", 566, 48, 25, 25, KeyFont::Window, "keypad /"},
    {"SpeedButton90", "*", 592, 48, 25, 25, KeyFont::Window, "keypad *"},
    {"SpeedButton91", "-", 618, 48, 25, 25, KeyFont::Window, "keypad -"},
    {"SpeedButton38", "à", 12, 76, 42, 25, KeyFont::Symbol17, "Tab (right arrow)"},
    {"SpeedButton1", "A", 58, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton2", "Z", 88, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton3", "E", 118, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton4", "R", 146, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton5", "T", 174, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton6", "Y", 202, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton7", "U", 230, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton8", "I", 258, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton9", "O", 286, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton10", "P", 314, 76, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton82", "¨¨", 342, 76, 25, 25, KeyFont::Window, "key right of P"},
    {"SpeedButton83", "£", 370, 76, 25, 25, KeyFont::Window, "second key right of P"},
    {"SpeedButton85", "", 408, 76, 25, 52, KeyFont::Window, "Enter (lower part; tall key)"},
    {"SpeedButton73", "Del", 442, 76, 25, 25, KeyFont::Arial10, "Delete"},
    {"SpeedButton74", "End", 470, 76, 25, 25, KeyFont::Arial10, "End"},
    {"SpeedButton75", "PgDn", 498, 76, 25, 25, KeyFont::Arial10, "Page Down"},
    {"SpeedButton92", "7", 538, 76, 25, 25, KeyFont::Window, "keypad 7"},
    {"SpeedButton93", "8", 566, 76, 25, 25, KeyFont::Window, "keypad 8"},
    {"SpeedButton94", "9", 592, 76, 25, 25, KeyFont::Window, "keypad 9"},
    {"SpeedButton103", "+", 618, 76, 25, 54, KeyFont::Window, "keypad + (two rows high)"},
    {"SpeedButton39", "Caps Lock", 12, 104, 56, 25, KeyFont::Arial10, "Caps Lock"},
    {"SpeedButton11", "Q", 72, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton12", "S", 100, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton13", "D", 128, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton14", "F", 156, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton15", "G", 184, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton16", "H", 212, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton17", "J", 240, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton18", "K", 268, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton19", "L", 296, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton20", "M", 324, 104, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton46", "%", 352, 104, 25, 25, KeyFont::Window, "key right of M"},
    {"SpeedButton47", "%", 380, 104, 25, 25, KeyFont::Window, "second key right of M"},
    {"SpeedButton95", "4", 538, 104, 25, 25, KeyFont::Window, "keypad 4"},
    {"SpeedButton96", "5", 566, 104, 25, 25, KeyFont::Window, "keypad 5"},
    {"SpeedButton97", "6", 592, 104, 25, 25, KeyFont::Window, "keypad 6"},
    {"SpeedButton41", "ñ", 12, 132, 42, 25, KeyFont::Symbol17, "left Shift (hollow up arrow)"},
    {"SpeedButton40", "<>", 60, 132, 25, 25, KeyFont::Window, "key between left Shift and W"},
    {"SpeedButton21", "W", 90, 132, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton22", "X", 116, 132, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton23", "C", 144, 132, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton24", "V", 172, 132, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton25", "B", 200, 132, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton26", "N", 228, 132, 25, 25, KeyFont::Window, "letter"},
    {"SpeedButton42", "?", 256, 132, 25, 25, KeyFont::Window, "key right of N"},
    {"SpeedButton43", ".", 284, 132, 25, 25, KeyFont::Window, "second key right of N"},
    {"SpeedButton44", "/", 312, 132, 25, 25, KeyFont::Window, "third key right of N"},
    {"SpeedButton45", "§", 340, 132, 25, 25, KeyFont::Window, "key left of right Shift"},
    {"SpeedButton48", "ñ", 368, 132, 65, 25, KeyFont::Symbol17, "right Shift (hollow up arrow)"},
    {"SpeedButton79", "á", 470, 132, 25, 25, KeyFont::Symbol17, "Up arrow key (up arrow)"},
    {"SpeedButton98", "1", 538, 132, 25, 25, KeyFont::Window, "keypad 1"},
    {"SpeedButton99", "2", 566, 132, 25, 25, KeyFont::Window, "keypad 2"},
    {"SpeedButton100", "3", 592, 132, 25, 25, KeyFont::Window, "keypad 3"},
    {"SpeedButton104", "Enter", 618, 132, 25, 54, KeyFont::Arial10, "keypad Enter (two rows high)"},
    {"SpeedButton65", "Ctrl", 12, 160, 29, 25, KeyFont::Window, "left Ctrl"},
    {"SpeedButton66", "ÿ", 42, 160, 34, 25, KeyFont::Symbol13, "left Windows key (Windows logo)"},
    {"SpeedButton67", "Alt", 78, 160, 29, 25, KeyFont::Window, "Alt"},
    {"SpeedButton68", "", 110, 160, 197, 25, KeyFont::Window, "space bar"},
    {"SpeedButton69", "Alt Gr", 310, 160, 37, 25, KeyFont::Arial10, "Alt Gr"},
    {"SpeedButton86", "ÿ", 350, 160, 25, 25, KeyFont::Symbol13, "right Windows key (Windows logo)"},
    {"SpeedButton108", "5", 378, 160, 25, 25, KeyFont::Symbol13, "Menu key"},
    {"SpeedButton87", "Ctrl", 406, 160, 27, 25, KeyFont::Window, "right Ctrl"},
    {"SpeedButton78", "ß", 442, 160, 25, 25, KeyFont::Symbol17, "Left arrow key (left arrow)"},
    {"SpeedButton76", "â", 470, 160, 25, 25, KeyFont::Symbol17, "Down arrow key (down arrow)"},
    {"SpeedButton77", "à", 498, 160, 25, 25, KeyFont::Symbol17, "Right arrow key (right arrow)"},
    {"SpeedButton102", "0", 538, 160, 52, 25, KeyFont::Window, "keypad 0 (double width)"},
    {"SpeedButton101", ".", 592, 160, 25, 25, KeyFont::Window, "keypad ."},
};

struct Pictogram
{
    const char *letter; // caption in the symbol font
    const char16_t *shown;
};

const Pictogram kPictograms[] = {
    {"à", u"\u2192"}, // right arrow
    {"ß", u"\u2190"}, // left arrow
    {"á", u"\u2191"}, // up arrow
    {"â", u"\u2193"}, // down arrow
    {"ç", u"\u2B05"}, // heavy left arrow (Backspace)
    {"ñ", u"\u21E7"}, // hollow up arrow (Shift)
    {"ÿ", u"\u229E"}, // Windows logo
    {"5", u"\u2630"}, // menu symbol
};

} // namespace

std::span<const KeyPicture> keyPictures()
{
    return kKeys;
}

QString shownCaption(const KeyPicture &key)
{
    const QString caption = QString::fromUtf8(key.caption);
    if (key.font != KeyFont::Symbol17 && key.font != KeyFont::Symbol13)
        return caption;
    for (const Pictogram &p : kPictograms)
        if (caption == QString::fromUtf8(p.letter))
            return QString::fromUtf16(p.shown);
    return caption;
}

QString pictogramFamily()
{
    return QStringLiteral("DejaVu Sans");
}

} // namespace keyboard
