// The paste guard: an event filter on the editor and its viewport.
#include "ui/pasteguard.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace ui {

bool clipboardHasText(QClipboard::Mode mode)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard || (mode == QClipboard::Selection && !clipboard->supportsSelection()))
        return false;
    const QMimeData *data = clipboard->mimeData(mode);
    return data && data->hasText() && !data->text().isEmpty();
}

namespace {

class PasteGuard final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) && !clipboardHasText();
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton &&
                   !clipboardHasText(QClipboard::Selection);
        default: return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

void guardPaste(QAbstractScrollArea *editor)
{
    auto *guard = new PasteGuard(editor);
    editor->installEventFilter(guard);
    editor->viewport()->installEventFilter(guard);
}

} // namespace ui
