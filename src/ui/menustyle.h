// The style of the frame's menus: a disabled item can still be highlighted,
// so that its hint shows in the status bar as for the other items.
#pragma once
#include <QProxyStyle>

namespace ui {

class MenuStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    MenuStyle();
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};

} // namespace ui
