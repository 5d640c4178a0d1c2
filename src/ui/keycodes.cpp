// Qt key events -> Windows virtual-key and character codes.
#include "ui/keycodes.h"

#include "ui/cp1252.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace ui {
namespace {

int keypadKey(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return vk::Numpad0 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return vk::Multiply;
    case Qt::Key_Plus: return vk::Add;
    case Qt::Key_Minus: return vk::Subtract;
    case Qt::Key_Period:
    case Qt::Key_Comma: return vk::Decimal;
    case Qt::Key_Slash: return vk::Divide;
    default: return 0;
    }
}

int specialKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Clear: return vk::Clear;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Return;
    case Qt::Key_Shift: return vk::Shift;
    case Qt::Key_Control: return vk::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return vk::Menu;
    case Qt::Key_Pause: return vk::Pause;
    case Qt::Key_CapsLock: return vk::Capital;
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_PageUp: return vk::Prior;
    case Qt::Key_PageDown: return vk::Next;
    case Qt::Key_End: return vk::End;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Print: return vk::Snapshot;
    case Qt::Key_Insert: return vk::Insert;
    case Qt::Key_Delete: return vk::Delete;
    case Qt::Key_Super_L:
    case Qt::Key_Meta: return vk::LWin;
    case Qt::Key_Super_R: return vk::RWin;
    case Qt::Key_Menu: return vk::Apps;
    case Qt::Key_NumLock: return vk::NumLock;
    case Qt::Key_ScrollLock: return vk::Scroll;
    default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return vk::F1 + (key - Qt::Key_F1);
    return 0;
}

// Keys of the main block other than letters, by X11 (evdev) key code: the
// physical key decides the code, whatever it types.
int scanKey(quint32 scan)
{
    if (scan >= 10 && scan <= 18)
        return '1' + int(scan - 10);
    switch (scan) {
    case 19: return '0';
    case 49: return 222; // ²
    case 20: return 219; // ) °
    case 21: return 187; // = +
    case 34: return 221; // ^ ¨
    case 35: return 186; // $ £
    case 48: return 192; // ù %
    case 51: return 220; // * µ
    case 94: return 226; // < >
    case 58: return 188; // , ?
    case 59: return 190; // ; .
    case 60: return 191; // : /
    case 61: return 223; // ! §
    default: return 0;
    }
}

// The same keys by the character Qt reports, for platforms without X11 codes.
int layoutKey(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key;
    switch (key) {
    case Qt::Key_Ampersand: return '1';
    case Qt::Key_Eacute: return '2';
    case Qt::Key_QuoteDbl: return '3';
    case Qt::Key_Apostrophe: return '4';
    case Qt::Key_ParenLeft: return '5';
    case Qt::Key_Minus: return '6';
    case Qt::Key_Egrave: return '7';
    case Qt::Key_Underscore: return '8';
    case Qt::Key_Ccedilla: return '9';
    case Qt::Key_Agrave: return '0';
    case Qt::Key_twosuperior: return 222;
    case Qt::Key_ParenRight:
    case Qt::Key_degree: return 219;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Dead_Circumflex:
    case Qt::Key_AsciiCircum:
    case Qt::Key_Dead_Diaeresis:
    case Qt::Key_diaeresis: return 221;
    case Qt::Key_Dollar:
    case Qt::Key_sterling: return 186;
    case Qt::Key_Ugrave:
    case Qt::Key_Percent: return 192;
    case Qt::Key_Asterisk:
    case Qt::Key_mu: return 220;
    case Qt::Key_Less:
    case Qt::Key_Greater: return 226;
    case Qt::Key_Comma:
    case Qt::Key_Question: return 188;
    case Qt::Key_Semicolon:
    case Qt::Key_Period: return 190;
    case Qt::Key_Colon:
    case Qt::Key_Slash: return 191;
    case Qt::Key_Exclam:
    case Qt::Key_section: return 223;
    default: return 0;
    }
}

// X11 keysyms of the right Windows key.
constexpr quint32 kSuperR = 0xffec;
constexpr quint32 kMetaR = 0xffe8;

bool onX11()
{
    static const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    return x11;
}

} // namespace

int virtualKeyOf(const QKeyEvent *event)
{
    const int key = event->key();
    if (event->modifiers() & Qt::KeypadModifier) {
        if (key == Qt::Key_Enter)
            return vk::Return;
        if (const int k = keypadKey(key))
            return k;
        // Num Lock off: the keypad gives navigation keys and Clear (the 5).
    }
    // Qt on X11 reports both Windows keys as Meta; the keysym tells the
    // right one (Super_R, or Meta_R on some layouts) from the left one.
    if ((key == Qt::Key_Meta || key == Qt::Key_Super_L) &&
        (event->nativeVirtualKey() == kSuperR || event->nativeVirtualKey() == kMetaR))
        return vk::RWin;
    if (const int k = specialKey(key))
        return k;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    if (onX11() && event->nativeScanCode() != 0)
        if (const int k = scanKey(event->nativeScanCode()))
            return k;
    return layoutKey(key);
}

QList<quint8> charCodesOf(const QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return {quint8((mods & Qt::ControlModifier) ? 10 : 13)};
    case Qt::Key_Backspace: return {quint8((mods & Qt::ControlModifier) ? 127 : 8)};
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return (mods & Qt::ControlModifier) ? QList<quint8>{} : QList<quint8>{9};
    case Qt::Key_Escape: return {27};
    case Qt::Key_Delete: return {};
    default: break;
    }
    const bool ctrl = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
    if (ctrl) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return {quint8(key - Qt::Key_A + 1)};
        if (key == Qt::Key_Space)
            return {32};
        return {};
    }
    QList<quint8> codes;
    for (QChar ch : event->text()) {
        const int code = unicodeToCp1252(ch);
        if (code >= 32 && code != 127)
            codes.append(quint8(code));
    }
    return codes;
}

bool typesOutsideCp1252(const QKeyEvent *event)
{
    for (QChar ch : event->text())
        if (ch.isPrint() && unicodeToCp1252(ch) < 0)
            return true;
    return false;
}

QList<quint8> charCodesOf(const QString &committed)
{
    QList<quint8> codes;
    for (QChar ch : committed) {
        const int code = unicodeToCp1252(ch);
        if (code >= 0)
            codes.append(quint8(code));
    }
    return codes;
}

int KeyTranslator::keyDown(const QKeyEvent *event)
{
    const int code = virtualKeyOf(event);
    if (event->nativeScanCode() != 0)
        m_down.insert(event->nativeScanCode(), code);
    return code;
}

bool KeyTranslator::pressedElsewhere(const QKeyEvent *event) const
{
    return event->nativeScanCode() != 0 && !m_down.contains(event->nativeScanCode());
}

int KeyTranslator::keyUp(const QKeyEvent *event)
{
    if (event->nativeScanCode() != 0) {
        const auto it = m_down.constFind(event->nativeScanCode());
        if (it != m_down.constEnd()) {
            const int code = it.value();
            m_down.erase(it);
            return code;
        }
    }
    return virtualKeyOf(event);
}

} // namespace ui
