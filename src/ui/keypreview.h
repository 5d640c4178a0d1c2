// Key preview: a window sees every key-down, key-up and character event of
// its children before they act on it, and may swallow it.
#pragma once
#include "ui/keycodes.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
class QKeyEvent;

namespace ui {

class KeyPreview final : public QObject
{
    Q_OBJECT
public:
    // Watches window and every widget inside it, also those added later.
    explicit KeyPreview(QWidget *window);

    // Each returns true to swallow the event. Key-down repeats while a key
    // is held; Tab and Shift+Tab are seen before focus navigation.
    std::function<bool(int vk)> keyDown;
    std::function<bool(int vk)> keyUp;
    std::function<bool(quint8 code)> keyPress;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QObject *object);
    bool handleKey(QObject *watched, QKeyEvent *event);
    bool handleCommit(QObject *watched, QEvent *event);

    QWidget *m_window;
    KeyTranslator m_keys;
};

} // namespace ui
