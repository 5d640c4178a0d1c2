// Icons made from the compiled-in picture tables.
#include "ui/pictures.h"

#include <QImage>
#include <QPixmap>

namespace ui {

QIcon picture(const QString &name)
{
    QIcon icon;
    addPicture(icon, name);
    return icon;
}

void addPicture(QIcon &icon, const QString &name, QIcon::Mode mode)
{
    for (const RawPicture *raw = rawPictures; raw->name; ++raw) {
        if (name != QLatin1String(raw->name))
            continue;
        // The table outlives every image: no copy of the pixels.
        const QImage image(reinterpret_cast<const uchar *>(raw->pixels), raw->width, raw->height,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image), mode);
    }
}

} // namespace ui
