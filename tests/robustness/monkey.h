// A monkey for the windows: random key-down/character/key-up events, dead-key
// commits and mouse clicks from a seeded generator, each sent to the widget
// that has the focus (or to the window when the focus is elsewhere), with a
// check of the window's invariants after every event.
#pragma once
#include <QApplication>
#include <QInputMethodEvent>
#include <QPointer>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>
#include <optional>

namespace monkey {

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *text; // UTF-8
};

// Keys that are not plain characters: editing and moving keys, Enter of
// both kinds, Escape, the clipboard and undo shortcuts, function keys and
// lone modifiers.
inline const QList<Key> &specialKeys()
{
    static const QList<Key> keys = {
        {Qt::Key_Tab, Qt::NoModifier, "\t"},        {Qt::Key_Backtab, Qt::ShiftModifier, ""},
        {Qt::Key_Backspace, Qt::NoModifier, "\b"},  {Qt::Key_Return, Qt::NoModifier, "\r"},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r"},  {Qt::Key_Escape, Qt::NoModifier, "\x1b"},
        {Qt::Key_Left, Qt::NoModifier, ""},         {Qt::Key_Right, Qt::NoModifier, ""},
        {Qt::Key_Up, Qt::NoModifier, ""},           {Qt::Key_Down, Qt::NoModifier, ""},
        {Qt::Key_PageUp, Qt::NoModifier, ""},       {Qt::Key_PageDown, Qt::NoModifier, ""},
        {Qt::Key_Home, Qt::NoModifier, ""},         {Qt::Key_End, Qt::NoModifier, ""},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f"},   {Qt::Key_C, Qt::ControlModifier, "\x03"},
        {Qt::Key_V, Qt::ControlModifier, "\x16"},   {Qt::Key_X, Qt::ControlModifier, "\x18"},
        {Qt::Key_Z, Qt::ControlModifier, "\x1a"},   {Qt::Key_F1, Qt::NoModifier, ""},
        {Qt::Key_F2, Qt::NoModifier, ""},           {Qt::Key_F5, Qt::NoModifier, ""},
        {Qt::Key_F10, Qt::NoModifier, ""},          {Qt::Key_F12, Qt::NoModifier, ""},
        {Qt::Key_Alt, Qt::AltModifier, ""},         {Qt::Key_Shift, Qt::ShiftModifier, ""},
        {Qt::Key_Control, Qt::ControlModifier, ""}, {Qt::Key_Left, Qt::ShiftModifier, ""},
        {Qt::Key_Home, Qt::ShiftModifier, ""},      {Qt::Key_Insert, Qt::NoModifier, ""},
        {Qt::Key_Space, Qt::NoModifier, " "},       {Qt::Key_CapsLock, Qt::NoModifier, ""},
        {Qt::Key_NumLock, Qt::NoModifier, ""},      {Qt::Key_ScrollLock, Qt::NoModifier, ""},
        {Qt::Key_Print, Qt::NoModifier, ""},        {Qt::Key_Pause, Qt::NoModifier, ""},
        {Qt::Key_Meta, Qt::MetaModifier, ""},       {Qt::Key_Menu, Qt::NoModifier, ""},
        {Qt::Key_F3, Qt::NoModifier, ""},           {Qt::Key_F4, Qt::NoModifier, ""},
        {Qt::Key_F6, Qt::NoModifier, ""},           {Qt::Key_F7, Qt::NoModifier, ""},
        {Qt::Key_F8, Qt::NoModifier, ""},           {Qt::Key_F9, Qt::NoModifier, ""},
        {Qt::Key_F11, Qt::NoModifier, ""},
    };
    return keys;
}

// Characters an accented key or a dead key gives on a French keyboard.
inline QString accented()
{
    return QString::fromUtf8("éèàùçêâîôûëïüÉÈÀÇÊœæ€²µ°§¨^~«»");
}

// What a hint returns for Page Down.
inline constexpr QChar kPageDown(0xE000);

// Longer or other runs than the test's own, by hand:
// TAPIVOX_MONKEY_EVENTS=100000 TAPIVOX_MONKEY_SEED=7 build/tst_monkey_lessons
inline int events(int count)
{
    bool ok = false;
    const int wanted = qEnvironmentVariableIntValue("TAPIVOX_MONKEY_EVENTS", &ok);
    return ok && wanted > 0 ? wanted : count;
}

inline quint32 seed(quint32 seed)
{
    return seed + quint32(qEnvironmentVariableIntValue("TAPIVOX_MONKEY_SEED"));
}

class Monkey
{
public:
    Monkey(QWidget *window, quint32 seed)
        : m_window(window)
        , m_random(seed)
    {}

    // After each event; returns why an invariant broke, empty when it holds.
    std::function<QString()> check;
    // Makes the window usable again when an event closed or hid it.
    std::function<void()> revive;
    // One tick of the window's timers, called now and then.
    std::function<void()> tick;
    // The character the lesson waits for (empty when none): typed in about
    // a third of the events, so that lines get completed and pages turned.
    // "\t", "\b", "\r" and kPageDown stand for their keys.
    std::function<QString()> hint;
    // The key the lesson waits for, when it asks for a key rather than a
    // character.
    std::function<std::optional<Key>()> hintKey;

    // Runs `count` events; the first broken invariant ends the run and is
    // returned with the event that broke it.
    QString run(int count)
    {
        for (int i = 0; i < count; ++i) {
            if (revive)
                revive();
            const QString what = step();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (check) {
                const QString broken = check();
                if (!broken.isEmpty())
                    return QStringLiteral("event %1 (%2): %3").arg(i).arg(what, broken);
            }
        }
        return {};
    }

    // The widget the keys go to.
    QWidget *target() const
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            return popup;
        QWidget *focus = QApplication::focusWidget();
        if (focus && (focus == m_window || m_window->isAncestorOf(focus)))
            return focus;
        if (QWidget *last = m_window->focusWidget())
            return last;
        return m_window;
    }

private:
    QString step()
    {
        if (hint && m_random.bounded(3) == 0) {
            const QString wanted = hint();
            if (!wanted.isEmpty())
                return character(wanted.at(0));
        }
        if (hintKey && m_random.bounded(3) == 0) {
            if (const std::optional<Key> k = hintKey()) {
                sendKey(k->key, k->modifiers, QString::fromUtf8(k->text));
                return QStringLiteral("asked key 0x%1").arg(int(k->key), 0, 16);
            }
        }
        const int roll = int(m_random.bounded(100));
        if (roll < 3)
            return heldKey();
        if (roll < 35)
            return plainCharacter();
        if (roll < 45) {
            const QString text = oneOf(accented());
            sendKey(Qt::Key_unknown, Qt::NoModifier, text);
            return QStringLiteral("key ") + text;
        }
        if (roll < 52) {
            QInputMethodEvent commit;
            commit.setCommitString(oneOf(accented()));
            QPointer<QWidget> to = target();
            QApplication::sendEvent(to, &commit);
            return QStringLiteral("commit ") + commit.commitString();
        }
        if (roll < 85) {
            const QList<Key> &keys = specialKeys();
            const Key &k = keys[int(m_random.bounded(int(keys.size())))];
            sendKey(k.key, k.modifiers, QString::fromUtf8(k.text));
            return QStringLiteral("key 0x%1 mod 0x%2").arg(int(k.key), 0, 16).arg(int(k.modifiers), 0, 16);
        }
        if (roll < 96)
            return click();
        if (tick)
            tick();
        return QStringLiteral("tick");
    }

    QString plainCharacter()
    {
        static const QString chars = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                    "0123456789 ,;:!?.'\"()-+*/=&_<>$%@#");
        return character(chars.at(int(m_random.bounded(int(chars.size())))));
    }

    QString character(QChar c)
    {
        Qt::Key key = Qt::Key_unknown;
        Qt::KeyboardModifiers modifiers;
        if (c == QLatin1Char('\t')) {
            sendKey(Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
            return QStringLiteral("Tab");
        }
        if (c == QLatin1Char('\b')) {
            sendKey(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
            return QStringLiteral("Backspace");
        }
        if (c == kPageDown) {
            sendKey(Qt::Key_PageDown, Qt::NoModifier, QString());
            return QStringLiteral("Page Down");
        }
        if (c == QLatin1Char('\r')) {
            sendKey(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            return QStringLiteral("Enter");
        }
        if (c.unicode() >= 0x80) {
            key = Qt::Key_unknown;
        } else if (c.isLetter()) {
            key = Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A'));
            if (c.isUpper())
                modifiers = Qt::ShiftModifier;
        } else if (c.isDigit()) {
            key = Qt::Key(Qt::Key_0 + (c.unicode() - '0'));
            modifiers = Qt::ShiftModifier; // digits are shifted on AZERTY
        } else {
            key = Qt::Key(c.unicode());
        }
        sendKey(key, modifiers, QString(c));
        return QStringLiteral("char ") + c;
    }

    // Key down, the character with it, then key up (now and then a key-up
    // is lost, as when the focus moves between the two).
    void sendKey(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
    {
        QPointer<QWidget> to = target();
        QTest::sendKeyEvent(QTest::Press, to, key, text, modifiers);
        if (m_random.bounded(20) == 0)
            return;
        if (!to)
            to = target();
        QTest::sendKeyEvent(QTest::Release, to, key, text, modifiers);
    }

    // A key held down: its key-down repeated, one key-up at the end.
    QString heldKey()
    {
        static const QString chars = QStringLiteral("aeiouz lm");
        const QString text = oneOf(chars);
        const Qt::Key key =
            text == QLatin1String(" ") ? Qt::Key_Space : Qt::Key(Qt::Key_A + (text.at(0).unicode() - 'a'));
        QPointer<QWidget> to = target();
        const int repeats = 2 + int(m_random.bounded(4));
        for (int i = 0; i < repeats && to; ++i) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text, i > 0);
            QApplication::sendEvent(to, &press);
        }
        if (to) {
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(to, &release);
        }
        return QStringLiteral("held ") + text;
    }

    QString click()
    {
        const QPoint at(int(m_random.bounded(qMax(1, m_window->width()))),
                        int(m_random.bounded(qMax(1, m_window->height()))));
        QWidget *child = m_window->childAt(at);
        QPointer<QWidget> to = child ? child : m_window.data();
        const QPoint local = to->mapFrom(m_window, at);
        if (m_random.bounded(8) == 0)
            QTest::mouseDClick(to, Qt::LeftButton, {}, local);
        else
            QTest::mouseClick(to, Qt::LeftButton, {}, local);
        return QStringLiteral("click %1,%2 on %3")
            .arg(at.x())
            .arg(at.y())
            .arg(to ? to->objectName() + QLatin1Char(' ') + QLatin1String(to->metaObject()->className())
                    : QStringLiteral("(gone)"));
    }

    QString oneOf(const QString &chars)
    {
        return QString(chars.at(int(m_random.bounded(int(chars.size())))));
    }

    QPointer<QWidget> m_window;
    QRandomGenerator m_random;
};

} // namespace monkey
