// A single-line edit whose typed characters pass a hook before insertion:
// the lessons judge each character and refuse the wrong ones.
#pragma once
#include <QLineEdit>

#include <functional>

namespace ui {

class HookLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit HookLineEdit(QWidget *parent = nullptr);

    // Sees each typed character (Windows-1252 code) before it is inserted,
    // whether it comes from a key or is composed by a dead key; returning
    // false refuses it. Without a hook every character goes in.
    std::function<bool(quint8 code)> keyPressHook;

    // Judged input: no context menu, no drag and drop, no middle-click
    // paste, so nothing reaches the text without passing the hook.
    void setJudgedInput(bool judged);
    bool judgedInput() const { return m_judged; }

    // Feeds one character event as if typed (tests and the key layer use it).
    void typeCharacter(quint8 code);

signals:
    void entered(); // focus in
    void exited();  // focus out

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    bool pass(quint8 code) const { return !keyPressHook || keyPressHook(code); }
    bool isUnjudgedPaste(const QKeyEvent *event) const;
    bool m_judged = false;
};

} // namespace ui
