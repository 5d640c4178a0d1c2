// A key of the keyboard picture: a button that shows a momentary press when
// clicked and does nothing else, never takes the focus, and lays out its
// caption and picture as the picture wants them.
#pragma once
#include <QIcon>
#include <QToolButton>

namespace keyboard {

class KeyButton final : public QToolButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyButton)
public:
    explicit KeyButton(QWidget *parent = nullptr);

    // -1 centres the caption; 0 or more puts it that far from the left edge.
    void setCaptionMargin(int margin) { m_captionMargin = margin; }
    int captionMargin() const { return m_captionMargin; }

    // A 16 x 16 picture placed at the bottom, margin pixels above the edge;
    // a negative margin centres it. Disabled buttons show the icon's
    // disabled image.
    void setPicture(const QIcon &picture, int bottomMargin);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon m_picture;
    int m_captionMargin = -1;
    int m_pictureMargin = -1;
};

} // namespace keyboard
