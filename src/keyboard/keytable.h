// The keyboard picture of the keyboard window: one row per key button (and
// per lock light), in the order the picture is read, top row first.
#pragma once
#include <QString>

#include <span>

namespace keyboard {

// Caption fonts: the window's (sans-serif 13 px), Arial 10 px, or the symbol
// font whose caption letters stand for pictograms (17 px or 13 px).
enum class KeyFont { Window, Arial10, Symbol17, Symbol13 };

struct KeyPicture
{
    const char *name;    // widget name, "SpeedButton49"
    const char *caption; // UTF-8; empty for none; a symbol-font letter for pictograms
    int left;
    int top;
    int width;
    int height;
    KeyFont font;
    const char *pictured; // the key of the keyboard the button pictures
};

// The 105 keys and the three lock lights (SpeedButton105..107).
std::span<const KeyPicture> keyPictures();

// The text a button shows for its caption: the caption itself, or for the
// symbol font the Unicode pictogram its letter stands for ("à" right arrow,
// "ß" left arrow, "á" up, "â" down, "ç" heavy left arrow, "ñ" hollow up
// arrow, "ÿ" Windows logo, "5" menu symbol).
QString shownCaption(const KeyPicture &key);

// The font family that draws the pictograms.
QString pictogramFamily();

} // namespace keyboard
