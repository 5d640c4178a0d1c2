// THorloge: the desk clock dialog. It shows the time and date every second
// and sets the system clock: "Set" freezes the display, the spin arrows move
// the chosen field, "Set" again writes the shown moment to the clock.
#pragma once
#include <QDateTime>
#include <QDialog>

#include <functional>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class SpinButton;

class THorloge final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(THorloge)
public:
    explicit THorloge(QWidget *parent = nullptr);

    void FormActivate();
    void FormDeactivate();
    // A typed character (Windows-1252 code) of the window or of "Fermer".
    void FormKeyPress(quint8 code);
    void Timer1Timer();
    void Button1Click();
    void Button2Click();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    // Writes the shown date and time to the system clock.
    void Modifie();

    bool settingMode() const { return m_setting; }
    // The clock the display follows (tests give a fixed one).
    void setNow(std::function<QDateTime()> now) { m_now = std::move(now); }

    QFrame *Panel1, *Panel2, *Panel3;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QGroupBox *RadioGroup1;
    QButtonGroup *RadioItems;
    SpinButton *SpinButton1;
    QPushButton *Button1, *Button2;
    QTimer *Timer1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void stepField(int delta);

    bool m_setting = false;
    bool m_sized = false; // Label3 fitted to its caption
    std::function<QDateTime()> m_now;
};
