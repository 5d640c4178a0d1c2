// A label that reports mouse clicks (the lessons' time displays).
#pragma once
#include <QLabel>

namespace ui {

class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace ui
