// The texts of discovery mode: what each special key is for, and the name and
// code of each character typed. Pure lookups into constant tables.
#pragma once
#include <QString>

namespace keyboard {

// The description of a special key by virtual-key code (Tab, Shift, arrows,
// F1..F12, locks, keypad centre...); a null QString for any other key.
QString specialKeyDescription(int virtualKey);

// The description of a typed character by Windows-1252 code; every code has
// one. "&&" stands for one "&", as in a label caption.
QString characterDescription(quint8 code);

// The glyph shown for codes 128 to 255 (it is not always the character of
// the code); an empty text outside that range.
QString glyphOf(int code);

} // namespace keyboard
