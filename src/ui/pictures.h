// The program's pictures, ready to draw: rendered from resources/icons/*.svg
// when the program is built (packaging/render_pictures.cpp), so that showing
// them decodes nothing and loads no image plugin.
#pragma once
#include <QIcon>
#include <QString>

namespace ui {

// Premultiplied ARGB pixels, one 32-bit word per pixel, rows top to bottom.
struct RawPicture
{
    const char *name;
    int width;
    int height;
    const char *pixels;
};
// Every picture at its drawn size and, for the small ones, at twice that
// size; ended by an entry without a name.
extern const RawPicture rawPictures[];

// The picture of that base name ("tapivox", "clavier_entree"), at every size
// there is; a null icon for an unknown name.
QIcon picture(const QString &name);
// Adds that picture, at every size, to the icon for the mode.
void addPicture(QIcon &icon, const QString &name, QIcon::Mode mode = QIcon::Normal);

} // namespace ui
