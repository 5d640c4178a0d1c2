// Dead keys composed by the program, as the Windows layouts do: the dead key
// gives its own key-down and key-up, the next letter takes its accent when
// Windows-1252 has the accented letter, and otherwise the dead key's own
// character comes first, then the letter, each one a character event.
#pragma once
#include <QObject>
#include <QString>

class QKeyEvent;
class QWidget;

namespace ui {

// The spacing character of a dead key ("^" for the circumflex) and the
// combining accent it puts on a letter; both null for any other key.
struct DeadKey
{
    QChar spacing;
    QChar accent;
};
DeadKey deadKeyOf(int qtKey);

// The text typed by a key after dead key `dead`: the accented letter when
// Windows-1252 has it, otherwise the dead key's character then the text
// (the space bar gives the dead key's character alone). Empty text: null.
QString composeAfterDeadKey(const DeadKey &dead, const QString &text);

// Widgets that judge or name keys take no input method: their dead keys
// come to them as key events and the composer below (installed by the first
// call) composes them.
void refuseInputMethod(QWidget *widget);

// Watches the key presses of the application for widgets that take no input
// method (an input method composes for the others).
class DeadKeyComposer final : public QObject
{
    Q_OBJECT
public:
    explicit DeadKeyComposer(QObject *parent = nullptr);
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool pending() const { return !m_dead.spacing.isNull(); }

private:
    DeadKey m_dead;
    bool m_sending = false;
};

void installDeadKeyComposer();

} // namespace ui
