// Standard icons loaded when first drawn, and the style's own pictures read
// without the image plugins.
#include "ui/lazyicons.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QStyleFactory>
#include <QWidget>

#include <cstddef>

namespace ui {

namespace {

// Stands for a standard icon of the base style until something needs its
// pixels or its sizes.
class DeferredIcon final : public QIconEngine
{
public:
    DeferredIcon(const QStyle *style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which)
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    // The deferred icons are images of the style's own: never null.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("tapivox-deferred-standard"); }
    QIconEngine *clone() const override
    {
        auto *copy = new DeferredIcon(m_style, m_which);
        copy->m_icon = m_icon;
        return copy;
    }

private:
    const QIcon &icon()
    {
        if (m_icon.isNull() && m_style)
            m_icon = m_style->standardIcon(m_which);
        return m_icon;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
};

bool deferred(QStyle::StandardPixmap which)
{
    switch (which) {
    case QStyle::SP_TitleBarMenuButton:
    case QStyle::SP_TitleBarMinButton:
    case QStyle::SP_TitleBarMaxButton:
    case QStyle::SP_TitleBarCloseButton:
    case QStyle::SP_TitleBarNormalButton:
    case QStyle::SP_TitleBarShadeButton:
    case QStyle::SP_TitleBarUnshadeButton:
    case QStyle::SP_TitleBarContextHelpButton:
    case QStyle::SP_ToolBarHorizontalExtensionButton:
    case QStyle::SP_ToolBarVerticalExtensionButton:
        return true;
    default:
        return false;
    }
}

// Appends a value's bytes as QPixmap::load writes them in its cache keys:
// each byte low digit first.
template <typename T> void appendHexBytes(QString &key, T value)
{
    static constexpr char digits[] = "0123456789abcdef";
    const auto *byte = reinterpret_cast<const unsigned char *>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        key += QLatin1Char(digits[byte[i] & 0xf]);
        key += QLatin1Char(digits[byte[i] >> 4]);
    }
}

} // namespace

QString loadedPixmapKey(const QString &fileName)
{
    const QFileInfo info(fileName);
    QString key = QStringLiteral("qt_pixmap") + info.absoluteFilePath();
    appendHexBytes(key, uint(info.lastModified().toSecsSinceEpoch()));
    appendHexBytes(key, quint64(info.size()));
    appendHexBytes(key, uint(0)); // the pixmap type, a plain pixmap
    return key;
}

namespace {

// Reading a picture by name, Qt asks every image plugin whether it can read
// it before its own PNG reader does (each plugin and its libraries loaded
// for that). This decodes a PNG with Qt's reader alone and leaves it where
// QPixmap's loading by name looks first.
void preloadPng(const QString &fileName)
{
    const QString key = loadedPixmapKey(fileName);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return;
    QImageReader reader(fileName, "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (!image.isNull())
        QPixmapCache::insert(key, QPixmap::fromImage(image));
}

} // namespace

LazyIconStyle::LazyIconStyle(QStyle *base)
    : QProxyStyle(base)
{}

void LazyIconStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    // Fusion draws a group box's frame from a picture it loads by name.
    if (element == PE_FrameGroupBox && !m_groupBoxFrameLoaded &&
        baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
        m_groupBoxFrameLoaded = true;
        preloadPng(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QIcon LazyIconStyle::standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const
{
    // Icons that depend on an option or on a right-to-left widget are
    // loaded at once, as before.
    if (option || (widget && widget->isRightToLeft()) || QGuiApplication::isRightToLeft() || !deferred(which))
        return QProxyStyle::standardIcon(which, option, widget);
    QIcon &icon = m_icons[which];
    if (icon.isNull())
        icon = QIcon(new DeferredIcon(baseStyle(), which));
    return icon;
}

void useLazyIconStyle()
{
    if (qobject_cast<LazyIconStyle *>(QApplication::style()))
        return;
    if (QStyle *base = QStyleFactory::create(QApplication::style()->name()))
        QApplication::setStyle(new LazyIconStyle(base));
}

QString baseStyleName()
{
    const QStyle *style = QApplication::style();
    if (const auto *proxy = qobject_cast<const QProxyStyle *>(style))
        style = proxy->baseStyle();
    return style->name();
}

} // namespace ui
