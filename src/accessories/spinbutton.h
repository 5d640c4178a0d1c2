// A spin button: an up and a down arrow that report clicks, repeating while
// held (first repeat after 400 ms, then every 100 ms).
#pragma once
#include <QWidget>

class QToolButton;

class SpinButton final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpinButton)
public:
    explicit SpinButton(QWidget *parent = nullptr);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

signals:
    void upClick();
    void downClick();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *m_up;
    QToolButton *m_down;
};
