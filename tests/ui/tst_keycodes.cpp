// Key events -> virtual-key and character codes.
#include "ui/keycodes.h"

#include <QKeyEvent>
#include <QtTest>

class TestKeyCodes : public QObject
{
    Q_OBJECT
private slots:
    void virtualKeys_data();
    void virtualKeys();
    void windowsKeysOnX11_data();
    void windowsKeysOnX11();
    void characters_data();
    void characters();
    void committedText();
    void keyUpMatchesKeyDownByScanCode();
};

using Mods = Qt::KeyboardModifiers;

void TestKeyCodes::virtualKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Mods>("mods");
    QTest::addColumn<int>("vk");
    const Mods none;
    const Mods keypad(Qt::KeypadModifier);
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << 9;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << Mods(Qt::ShiftModifier) << 9;
    QTest::newRow("Shift") << int(Qt::Key_Shift) << none << 16;
    QTest::newRow("Ctrl") << int(Qt::Key_Control) << none << 17;
    QTest::newRow("Alt") << int(Qt::Key_Alt) << none << 18;
    QTest::newRow("AltGr") << int(Qt::Key_AltGr) << none << 18;
    QTest::newRow("Pause") << int(Qt::Key_Pause) << none << 19;
    QTest::newRow("Caps Lock") << int(Qt::Key_CapsLock) << none << 20;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << 27;
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << 33;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << 34;
    QTest::newRow("End") << int(Qt::Key_End) << none << 35;
    QTest::newRow("Home") << int(Qt::Key_Home) << none << 36;
    QTest::newRow("Left") << int(Qt::Key_Left) << none << 37;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << 40;
    QTest::newRow("Print Screen") << int(Qt::Key_Print) << none << 44;
    QTest::newRow("Insert") << int(Qt::Key_Insert) << none << 45;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << 46;
    QTest::newRow("left Super") << int(Qt::Key_Super_L) << none << 91;
    QTest::newRow("right Super") << int(Qt::Key_Super_R) << none << 92;
    QTest::newRow("Menu") << int(Qt::Key_Menu) << none << 93;
    QTest::newRow("F1") << int(Qt::Key_F1) << none << 112;
    QTest::newRow("F12") << int(Qt::Key_F12) << none << 123;
    QTest::newRow("Num Lock") << int(Qt::Key_NumLock) << none << 144;
    QTest::newRow("Scroll Lock") << int(Qt::Key_ScrollLock) << none << 145;
    QTest::newRow("letter a") << int(Qt::Key_A) << none << 65;
    QTest::newRow("letter Z shifted") << int(Qt::Key_Z) << Mods(Qt::ShiftModifier) << 90;
    QTest::newRow("AZERTY & is digit 1") << int(Qt::Key_Ampersand) << none << 49;
    QTest::newRow("AZERTY é is digit 2") << int(Qt::Key_Eacute) << none << 50;
    QTest::newRow("AZERTY à is digit 0") << int(Qt::Key_Agrave) << none << 48;
    QTest::newRow("shifted digit 7") << int(Qt::Key_7) << Mods(Qt::ShiftModifier) << 55;
    QTest::newRow("keypad 8, Num Lock on") << int(Qt::Key_8) << keypad << 104;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 96;
    QTest::newRow("keypad 8, Num Lock off") << int(Qt::Key_Up) << keypad << 38;
    QTest::newRow("keypad 5, Num Lock off") << int(Qt::Key_Clear) << keypad << 12;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 13;
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << 109;
}

void TestKeyCodes::virtualKeys()
{
    QFETCH(int, key);
    QFETCH(Mods, mods);
    QFETCH(int, vk);
    const QKeyEvent event(QEvent::KeyPress, key, mods);
    QCOMPARE(ui::virtualKeyOf(&event), vk);
}

// Qt on X11 gives both Windows keys as Meta, with their keysyms as native
// virtual keys.
void TestKeyCodes::windowsKeysOnX11_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<quint32>("scan");
    QTest::addColumn<quint32>("keysym");
    QTest::addColumn<int>("vk");
    QTest::newRow("left, Super_L") << int(Qt::Key_Meta) << 133u << 0xffebu << 91;
    QTest::newRow("right, Super_R") << int(Qt::Key_Meta) << 134u << 0xffecu << 92;
    QTest::newRow("right, Meta_R") << int(Qt::Key_Meta) << 134u << 0xffe8u << 92;
}

void TestKeyCodes::windowsKeysOnX11()
{
    QFETCH(int, key);
    QFETCH(quint32, scan);
    QFETCH(quint32, keysym);
    QFETCH(int, vk);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::MetaModifier, scan, keysym, 0);
    QCOMPARE(ui::virtualKeyOf(&event), vk);
}

void TestKeyCodes::characters_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Mods>("mods");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("codes");
    const Mods none;
    const Mods ctrl(Qt::ControlModifier);
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << QList<int>{97};
    QTest::newRow("Enter") << int(Qt::Key_Return) << none << "\r" << QList<int>{13};
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Mods(Qt::KeypadModifier) << "\r" << QList<int>{13};
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << QList<int>{8};
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << QList<int>{9};
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "\x1b" << QList<int>{27};
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << "" << QList<int>{3};
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << ctrl << "\x16" << QList<int>{22};
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << "" << QList<int>{26};
    QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << ctrl << "\b" << QList<int>{127};
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << ctrl << " " << QList<int>{32};
    QTest::newRow("AltGr+i, outside Windows-1252")
        << int(Qt::Key_unknown) << none << QString::fromUtf8("→") << QList<int>{};
    QTest::newRow("Ctrl alone") << int(Qt::Key_Control) << ctrl << "" << QList<int>{};
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << QList<int>{};
    QTest::newRow("arrow") << int(Qt::Key_Left) << none << "" << QList<int>{};
    QTest::newRow("e acute") << int(Qt::Key_Eacute) << none << QString::fromUtf8("é") << QList<int>{0xE9};
    QTest::newRow("euro") << int(Qt::Key_unknown) << none << QString::fromUtf8("€") << QList<int>{0x80};
    QTest::newRow("square") << int(Qt::Key_twosuperior) << none << QString::fromUtf8("²") << QList<int>{0xB2};
}

void TestKeyCodes::characters()
{
    QFETCH(int, key);
    QFETCH(Mods, mods);
    QFETCH(QString, text);
    QFETCH(QList<int>, codes);
    const QKeyEvent event(QEvent::KeyPress, key, mods, text);
    QList<int> actual;
    for (quint8 c : ui::charCodesOf(&event))
        actual << c;
    QCOMPARE(actual, codes);
}

void TestKeyCodes::committedText()
{
    QList<int> actual;
    for (quint8 c : ui::charCodesOf(QString::fromUtf8("êô\u4e2dï")))
        actual << c;
    QCOMPARE(actual, (QList<int>{0xEA, 0xF4, 0xEF}));
}

void TestKeyCodes::keyUpMatchesKeyDownByScanCode()
{
    // "1" pressed with Shift, Shift released first: the release of the key
    // reports Key_Ampersand, yet it must give the code it was pressed with.
    ui::KeyTranslator keys;
    const QKeyEvent down(QEvent::KeyPress, Qt::Key_1, Qt::ShiftModifier, 10, 0, 0, QStringLiteral("1"));
    const QKeyEvent up(QEvent::KeyRelease, Qt::Key_Ampersand, Qt::NoModifier, 10, 0, 0, QStringLiteral("&"));
    QCOMPARE(keys.keyDown(&down), 49);
    QCOMPARE(keys.keyUp(&up), 49);
    // Without a scan code the key decides.
    const QKeyEvent bare(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
    QCOMPARE(keys.keyUp(&bare), 9);
}

QTEST_GUILESS_MAIN(TestKeyCodes)
#include "tst_keycodes.moc"
