// Dialogs whose controls are built on first need.
#include "ui/deferreddialog.h"

#include "ui/accessibility.h"

namespace ui {

void DeferredControls::buildControls()
{
    if (m_built)
        return;
    m_built = true;
    build();
    applyAccessibleTexts(m_self, accessibleTexts());
    controlsAdded();
}

DeferredDialog::DeferredDialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , DeferredControls(this, true)
{}

void DeferredDialog::setVisible(bool visible)
{
    if (visible)
        buildControls();
    QDialog::setVisible(visible);
}

void buildEveryControl(QWidget *root)
{
    QList<QWidget *> windows = root->findChildren<QWidget *>();
    windows.prepend(root);
    for (QWidget *w : std::as_const(windows))
        if (auto *deferred = dynamic_cast<DeferredControls *>(w))
            deferred->buildControls();
}

} // namespace ui
