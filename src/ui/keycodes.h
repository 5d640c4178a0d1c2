// Key events as the lessons know them: Windows virtual-key codes for key-down
// and key-up, Windows-1252 character codes for typed characters.
#pragma once
#include <QHash>
#include <QList>
#include <QString>

class QKeyEvent;

namespace ui {

namespace vk {
enum : int {
    Back = 8,
    Tab = 9,
    Clear = 12,
    Return = 13,
    Shift = 16,
    Control = 17,
    Menu = 18,
    Pause = 19,
    Capital = 20,
    Escape = 27,
    Space = 32,
    Prior = 33,
    Next = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Snapshot = 44,
    Insert = 45,
    Delete = 46,
    LWin = 91,
    RWin = 92,
    Apps = 93,
    Numpad0 = 96,
    Multiply = 106,
    Add = 107,
    Subtract = 109,
    Decimal = 110,
    Divide = 111,
    F1 = 112,
    F12 = 123,
    NumLock = 144,
    Scroll = 145,
};
} // namespace vk

// The virtual-key code of a key event; 0 when the key has none.
int virtualKeyOf(const QKeyEvent *event);

// The character codes a key press types, in order: Enter 13, Backspace 8,
// Tab 9, Escape 27, Ctrl+letter 1..26, printable characters in Windows-1252.
// Keys that type nothing (arrows, Delete, F1...) give an empty list.
QList<quint8> charCodesOf(const QKeyEvent *event);

// Stands for a typed character that Windows-1252 lacks (AltGr+i "→" on the
// French layout): no text of the program holds code 0, so wherever a key is
// judged it is a wrong key.
constexpr quint8 kOutsideCp1252 = 0;

// True when a key press types a printable character that Windows-1252 lacks.
bool typesOutsideCp1252(const QKeyEvent *event);

// The character codes of text committed by a dead key or an input method.
// Characters outside Windows-1252 are left out.
QList<quint8> charCodesOf(const QString &committed);

// Matches each key-up with its key-down by native scan code, so that a key
// released after Shift reports the code it was pressed with.
class KeyTranslator final
{
public:
    int keyDown(const QKeyEvent *event);
    int keyUp(const QKeyEvent *event);
    // A key released here whose press went elsewhere (a dialog closed by
    // it, the window the focus came from).
    bool pressedElsewhere(const QKeyEvent *event) const;

private:
    QHash<quint32, int> m_down;
};

} // namespace ui
