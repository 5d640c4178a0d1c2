// The accessible menu bar item that carries its own name. Qt creates its
// menu bar items on demand and asks the installed factories first, so a
// factory for the named actions gives them this item instead of Qt's.
#include "ui/accessiblemenubar.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace ui {

namespace {

QHash<const QAction *, QString> &itemNames()
{
    static QHash<const QAction *, QString> names;
    return names;
}

QMenuBar *menuBarOf(const QAction *action)
{
    for (QObject *o : action->associatedObjects())
        if (auto *bar = qobject_cast<QMenuBar *>(o))
            return bar;
    return nullptr;
}

class NamedMenuBarItem final : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    NamedMenuBarItem(QMenuBar *bar, QAction *action)
        : m_bar(bar)
        , m_action(action)
    {}

    bool isValid() const override { return m_bar && m_action; }
    QObject *object() const override { return m_action; }
    QWindow *window() const override { return m_bar ? m_bar->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_bar); }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && m_action->menu() ? QAccessible::queryAccessibleInterface(m_action->menu())
                                              : nullptr;
    }
    int childCount() const override { return m_action->menu() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && m_action->menu() && child->object() == m_action->menu() ? 0 : -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return itemNames().value(m_action);
        case QAccessible::Description: return m_action->statusTip();
        case QAccessible::Accelerator:
            return QKeySequence::mnemonic(m_action->text()).toString(QKeySequence::NativeText);
        default: return QString();
        }
    }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.invisible = !m_bar->isVisible() || !m_action->isVisible();
        s.disabled = !m_action->isEnabled();
        s.hasPopup = m_action->menu() != nullptr;
        if (m_bar->activeAction() == m_action) {
            s.focused = true;
            s.hotTracked = true;
        }
        return s;
    }
    QRect rect() const override
    {
        const QRect r = m_bar->actionGeometry(m_action);
        return QRect(m_bar->mapToGlobal(r.topLeft()), r.size());
    }

    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString &name) override
    {
        if (name == showMenuAction() || name == pressAction())
            m_bar->setActiveAction(m_action);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }

private:
    QPointer<QMenuBar> m_bar;
    QPointer<QAction> m_action;
};

QAccessibleInterface *namedItemFactory(const QString &className, QObject *object)
{
    auto *action = qobject_cast<QAction *>(object);
    if (className != QLatin1String("QAction") || !action || !itemNames().contains(action))
        return nullptr;
    QMenuBar *bar = menuBarOf(action);
    return bar ? new NamedMenuBarItem(bar, action) : nullptr;
}

} // namespace

void nameMenuBarItem(QAction *menuAction, const QString &name)
{
    static const bool installed = [] {
        QAccessible::installFactory(namedItemFactory);
        return true;
    }();
    (void)installed;
    if (itemNames().contains(menuAction)) {
        itemNames()[menuAction] = name;
        return;
    }
    itemNames().insert(menuAction, name);
    QObject::connect(menuAction, &QObject::destroyed, [menuAction] { itemNames().remove(menuAction); });
}

} // namespace ui
