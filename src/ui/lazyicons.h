// The application's style, with the standard icons of title bars and
// toolbar extensions loaded when first drawn: every lesson sub-window and
// the menu bar ask for them when they are built, and loading them reads
// and decodes several images each, for a menu that is seldom opened.
#pragma once
#include <QHash>
#include <QIcon>
#include <QProxyStyle>

namespace ui {

class LazyIconStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    // Takes ownership of base.
    explicit LazyIconStyle(QStyle *base);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

private:
    // One deferred icon for each standard icon, shared by every copy, so
    // that each is loaded at most once.
    mutable QHash<int, QIcon> m_icons;
};

// Puts LazyIconStyle over the style the application would use.
void useLazyIconStyle();

// The name of the style under the application's, for proxies of their own.
QString baseStyleName();

} // namespace ui
