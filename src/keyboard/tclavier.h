// TClavier: the keyboard window (module code 1). Shows the whole AZERTY
// keyboard with its lock lights; in discovery mode (code 0) it names every
// key pressed, in key drill mode (code 1) it asks for special keys.
#pragma once
#include "app/lesson/lessonwindow.h"
#include "keyboard/keydrill.h"
#include "ui/keycodes.h"

#include <QList>
#include <QMdiSubWindow>
#include <QPointer>

class QGroupBox;
class QLabel;

namespace keyboard {
class KeyButton;
}

class TClavier final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TClavier)
public:
    explicit TClavier(QWidget *parent = nullptr);

    // 0 discovery, 1 key drill; any other code is kept and works as discovery
    // without touching the prompt. The good count is never reset.
    void SetIni(std::int32_t code) override;
    Qt::WindowFlags subWindowFlags() const override;
    // The frame's chronometer command works as a click on the time display.
    void toggleChronometer() override { StaticText1Click(); }

    // The window became the active child window: lights, then parity set.
    void FormActivate();
    // Pins the outer size to 668 x 375.
    void FormResize();
    // Every key-down and key-up, with its virtual-key code.
    void FormKeyDown(quint16 key);
    // Every character event, with its Windows-1252 code.
    void FormKeyPress(quint8 key);
    // Refreshes the Num Lock, Caps Lock and Scroll Lock lights.
    void Temoins();
    // Draws the next drill key and asks for it.
    void Tirage1();
    // Judges a drill answer.
    void Verif1(quint16 key);

    // The key asked in the key drill; nothing in discovery.
    QString guideExpected() const override;

    bool parityFlag() const { return m_parity; }
    keyboard::KeyDrill &drill() { return m_drill; }
    // SpeedButton1 ... SpeedButton108 by number; nullptr for a number without one.
    keyboard::KeyButton *speedButton(int number) const;

    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QFrame *Panel1 = nullptr;
    QFrame *Panel3 = nullptr;
    QFrame *Bevel1 = nullptr;
    keyboard::KeyButton *SpeedButton85 = nullptr;  // Enter
    keyboard::KeyButton *SpeedButton105 = nullptr; // Num Lock light
    keyboard::KeyButton *SpeedButton106 = nullptr; // Caps Lock light
    keyboard::KeyButton *SpeedButton107 = nullptr; // Scroll Lock light

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QString clickStartText() const override { return QStringLiteral("0:0"); }

private:
    void FormCreate();
    void buildKeyPicture();
    // Captions and names of the character keys from the learner's keymap.
    void showKeymap();
    // The text of a typed character: the table's, or on a key that the
    // learner's layout types otherwise than the French one, the key's name.
    QString characterText(quint8 code) const;
    // Label2 shows "&&" as one "&", like a caption with accelerator markers.
    void setLabel2(const QString &text);
    void describeForScreenReader();
    void watchSubWindow();
    void keyEvent(QKeyEvent *event);

    keyboard::KeyDrill m_drill;
    ui::KeyTranslator m_keys;
    bool m_parity = false;
    int m_pressedKeycode = 0;               // X keycode of the last key pressed, 0 if unknown
    QList<keyboard::KeyButton *> m_buttons; // index = number
    QPointer<QMdiSubWindow> m_subWindow;
};
