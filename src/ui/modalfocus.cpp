// A window manager that gives the focus by the pointer (twm and its kin)
// leaves the keyboard to no window when a modal dialog closes while the
// pointer was not over it, and ignores Qt's own request to activate the
// window behind, made with an older timestamp: every key the learner types
// next is lost. So when a modal dialog closes and no window has the focus,
// the window behind takes it again, with the server's current time. Kept in
// a file of its own: Xlib's macros clash with Qt's names.
#include "ui/modalfocus.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#ifdef TAPIVOX_HAVE_X11
#include <X11/Xlib.h>
#endif

namespace ui {

namespace {

void giveFocusBack(QWidget *window)
{
#ifdef TAPIVOX_HAVE_X11
    if (!window || !window->isVisible() || QApplication::activePopupWidget())
        return;
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        return;
    Display *display = x11->display();
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus != None && focus != PointerRoot)
        return; // some window has it: the window manager's choice stands
    XSetInputFocus(display, Window(window->winId()), RevertToParent, CurrentTime);
    XFlush(display);
#else
    (void)window;
#endif
}

class ModalFocusKeeper final : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            auto *dialog = qobject_cast<QDialog *>(watched);
            if (dialog && dialog->isWindow() && dialog->isModal()) {
                QWidget *behind = QApplication::activeModalWidget();
                if (!behind || behind == dialog)
                    behind = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
                // Once the dialog is gone and the server has settled its focus.
                QTimer::singleShot(0, this, [target = QPointer<QWidget>(behind)] { giveFocusBack(target); });
            }
        }
        return false;
    }
};

} // namespace

void keepFocusAfterModals(QApplication &app)
{
#ifdef TAPIVOX_HAVE_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    static ModalFocusKeeper *keeper = nullptr;
    if (!keeper) {
        keeper = new ModalFocusKeeper(&app);
        app.installEventFilter(keeper);
    }
#else
    (void)app;
#endif
}

} // namespace ui
