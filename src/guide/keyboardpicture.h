// The guide's keyboard: the model's ISO keys with the learner's own keycaps,
// each tinted by its finger and marked with the finger's number, the keys to
// press lit in their finger's colour and framed in black, after a refused key
// the expected key outlined in red and the pressed one grey. Painted in
// logical coordinates, so it stays crisp at any scale.
#pragma once
#include "guide/guidelogic.h"

#include <QHash>
#include <QPixmap>
#include <QRectF>
#include <QVariantList>
#include <QWidget>

class QPainter;

namespace guide {

class KeyboardPicture final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyboardPicture)
    // X keycodes of the lit keys, modifiers first, in the order pressed.
    Q_PROPERTY(QVariantList litKeys READ litKeys)
    Q_PROPERTY(int missedKey READ missedKey)
    Q_PROPERTY(int pressedKey READ pressedKey)
public:
    explicit KeyboardPicture(QWidget *parent = nullptr);

    // Reads the keycaps (the model is not kept).
    void setModel(const keyboard::KeyModel *model);
    // Repaints only the keys whose look changes.
    void showState(const GuideState &state);

    // Keycaps at 7:1 and the key pressed by mistake struck through as well as grey.
    void setHighContrast(bool on);
    bool highContrast() const { return m_highContrast; }

    QVariantList litKeys() const;
    int missedKey() const { return m_state.missed; }
    int pressedKey() const { return m_state.pressed; }

    // Where a key is drawn, in the widget's coordinates; empty when not drawn.
    QRectF keyRect(int keycode) const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateKey(int keycode);
    QRectF placeOf(const keyboard::PhysicalKey &key) const;
    const QPixmap &face(const keyboard::PhysicalKey &key, bool lit, bool pressed);
    void drawKey(QPainter &painter, const keyboard::PhysicalKey &key, bool lit, bool pressed) const;
    void drawMissed(QPainter &painter, const keyboard::PhysicalKey &key) const;

    QRectF m_bounds; // of the keys, in key units
    QHash<int, QString> m_caps;
    QPixmap m_rest;              // every key at rest
    QHash<int, QPixmap> m_faces; // keys lit, or grey as just pressed by mistake
    GuideState m_state;
    bool m_highContrast = false;
};

} // namespace guide
