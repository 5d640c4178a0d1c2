// The guide band under the lesson windows: the keyboard picture on the left,
// on the right a column with the sentence that names the next key and its
// finger (and room for more). The frame tells it what the lesson in front
// expects; the band itself watches the dead keys and Caps Lock, which no
// lesson judges. While another window of the program has the keys (an
// accessory, a dialog), it lights no key and says nothing.
#pragma once
#include "guide/guidelogic.h"

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace guide {

class KeyboardPicture;

class GuideBand final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GuideBand)
public:
    explicit GuideBand(QWidget *parent = nullptr);
    ~GuideBand() override;

    // The keymap to show; not owned, kept until the next call.
    void setModel(const keyboard::KeyModel *model);

    // What the lesson in front expects next (see GuideLogic::expect).
    void expect(const QString &expected, int standInTyped = 0, const QString &passed = QString());
    // A refused key: what was typed instead.
    void refused(const QString &typed);
    // Discovery mode: the key just pressed.
    void discovered(int keycode, const QString &text, int virtualKey);

    // Black on white for every text of the band, keycaps at 7:1; off, the
    // band follows the desktop's palette.
    void setHighContrast(bool on);
    bool highContrast() const { return m_highContrast; }

    KeyboardPicture *picture() const { return m_picture; }
    QLabel *consigne() const { return m_consigne; }
    // The column right of the keyboard, the sentence at its top.
    QVBoxLayout *column() const { return m_column; }
    const GuideLogic &logic() const { return m_logic; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showState();
    void followActiveWindow();

    GuideLogic m_logic;
    KeyboardPicture *m_picture = nullptr;
    QWidget *m_sentenceBox = nullptr;
    QLabel *m_consigne = nullptr;
    QVBoxLayout *m_column = nullptr;
    bool m_aside = false; // another window has the keys
    bool m_highContrast = false;
};

} // namespace guide
