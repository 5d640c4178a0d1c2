// Menu style: disabled items take the highlight.
#include "ui/menustyle.h"

#include "ui/lazyicons.h"

namespace ui {

// A proxy of the application's style, not of a fresh default one: menus
// keep the look of the rest of the program.
MenuStyle::MenuStyle()
    : QProxyStyle(baseStyleName())
{}

int MenuStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                         QStyleHintReturn *returnData) const
{
    if (hint == SH_Menu_AllowActiveAndDisabled)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace ui
