// TPocket: the pocket calculator dialog, driven by mouse or keyboard; its
// arithmetic lives in CalcEngine.
#pragma once
#include "accessories/calcengine.h"

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

class TPocket final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPocket)
public:
    explicit TPocket(QWidget *parent = nullptr);

    void Button0Click() { digitClick(0); }
    void Button1Click() { digitClick(1); }
    void Button2Click() { digitClick(2); }
    void Button3Click() { digitClick(3); }
    void Button4Click() { digitClick(4); }
    void Button5Click() { digitClick(5); }
    void Button6Click() { digitClick(6); }
    void Button7Click() { digitClick(7); }
    void Button8Click() { digitClick(8); }
    void Button9Click() { digitClick(9); }
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();
    void Button15Click();
    void Button16Click();
    void Button17Click();
    void Button18Click();
    void Button19Click();
    void FormActivate();
    // A typed character (Windows-1252 code) of the window or of a key.
    void FormKeyPress(quint8 code);
    // Escape going down on "=".
    void Button11KeyDown(int virtualKey);

    const CalcEngine &engine() const { return m_engine; }

    QFrame *Panel1, *Panel2;
    QLabel *Label1, *Label2;
    // Button0..Button18 are the keys, Button19 is "Fermer".
    std::array<QPushButton *, 20> Buttons{};
    QPushButton *Button11 = nullptr;
    QPushButton *Button19 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void digitClick(int d);
    // Shows the engine's display, and its error if a key raised one.
    void settle(const QString &error);
    // Presses a key from the keyboard as a mouse click would.
    void clickButton(int index);
    bool handleKey(QKeyEvent *event);

    CalcEngine m_engine;
};
