// Controls built on first need.
#include "ui/deferredcontrols.h"

#include "ui/accessibility.h"

#include <QWidget>

namespace ui {

void DeferredControls::buildControls()
{
    if (m_built)
        return;
    m_built = true;
    build();
    applyAccessibleTexts(m_window, accessibleTexts());
}

void buildEveryControl(QWidget *root)
{
    if (auto *deferred = dynamic_cast<DeferredControls *>(root))
        deferred->buildControls();
    for (QWidget *w : root->findChildren<QWidget *>())
        if (auto *deferred = dynamic_cast<DeferredControls *>(w))
            deferred->buildControls();
}

} // namespace ui
