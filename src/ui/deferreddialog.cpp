// Dialogs whose controls are built on first need.
#include "ui/deferreddialog.h"

#include "ui/accessibility.h"

namespace ui {

DeferredDialog::DeferredDialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{}

void DeferredDialog::buildControls()
{
    if (m_built)
        return;
    m_built = true;
    build();
    applyAccessibleTexts(this, accessibleTexts());
}

void DeferredDialog::setVisible(bool visible)
{
    if (visible)
        buildControls();
    QDialog::setVisible(visible);
}

void buildEveryControl(QWidget *root)
{
    if (auto *deferred = qobject_cast<DeferredDialog *>(root))
        deferred->buildControls();
    for (DeferredDialog *deferred : root->findChildren<DeferredDialog *>())
        deferred->buildControls();
}

} // namespace ui
