// The application's style, with the standard icons of title bars and
// toolbar extensions loaded when first drawn: every lesson sub-window and
// the menu bar ask for them when they are built, and loading them reads
// and decodes several images each, for a menu that is seldom opened. The
// picture Fusion frames group boxes with is read by Qt's PNG reader alone.
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
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    // One deferred icon for each standard icon, shared by every copy, so
    // that each is loaded at most once.
    mutable QHash<int, QIcon> m_icons;
    mutable bool m_groupBoxFrameLoaded = false;
};

// The key under which QPixmap's loading by name caches a picture.
QString loadedPixmapKey(const QString &fileName);

// Puts LazyIconStyle over the style the application would use.
void useLazyIconStyle();

// The name of the style under the application's, for proxies of their own.
QString baseStyleName();

} // namespace ui
