// TJeu: the typing game (module code 5). Letters (game 1) or words (game 2)
// fall down the window one step a second; typing their letters destroys them.
#pragma once
#include "app/lesson/lessonwindow.h"
#include "drills/gamelogic.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

class TJeu final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TJeu)
public:
    explicit TJeu(QWidget *parent = nullptr);

    // 1 letters, 2 words, anything else no game: new items, counts back to 0;
    // the positions, the drop timer and the score line are left as they are.
    void SetIni(std::int32_t code) override;

    // The game has no statistics and no chronometer: its time display keeps
    // showing "0:0" and Timer1 stays stopped.
    void Statistic() override {}
    void StaticText1Click() override {}
    void SetTemps() override {}

    // "Jouer": a new game from new start positions, and the first step at once.
    void Button1Click();
    // One drop step of the game.
    void Timer2Timer();
    // A typed character (Windows-1252 code); keys are never refused.
    void FormKeyPress(quint8 code);

    GameLogic &logic() { return m_logic; }
    const GameLogic &logic() const { return m_logic; }

    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Button1 = nullptr;
    QTimer *Timer2 = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    // Tab does not move the focus away: the keys stay with the game.
    bool focusNextPrevChild(bool) override { return false; }
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormShow();
    void FormResize();
    void showScore();

    GameLogic m_logic;
    QFont m_itemFont;
};
