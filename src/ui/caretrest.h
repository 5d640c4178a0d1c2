// The text caret stops blinking, shown steady, after a while without a key
// or a click, and blinks again at the next one: a program left open with a
// lesson in front then wakes for nothing the caret would tell.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace ui {

class CaretRest final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CaretRest)
public:
    // As long as the live figures take to stop.
    static constexpr int kRestMs = 5000;

    explicit CaretRest(QObject *parent = nullptr);
    ~CaretRest() override;

    // Off: the caret blinks as the platform says, always.
    void setEnabled(bool enabled);
    bool enabled() const { return m_enabled; }
    bool resting() const { return m_resting; }
    // How long without a key or a click (tests shorten it).
    void setRestMs(int ms) { m_restMs = ms; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wake();
    void rest();

    QTimer m_timer;
    QElapsedTimer m_sinceInput;
    int m_restMs = kRestMs;
    bool m_enabled = false;
    bool m_resting = false;
    int m_flashTime = 0; // the platform's, while resting
};

} // namespace ui
