// A menu bar item read by a screen reader under another name than its
// caption: Qt reads a menu bar item by its text, and "&?" says nothing.
#pragma once
#include <QString>

class QAction;

namespace ui {

// From now on the menu bar item of menuAction is read as name; the caption
// the learner sees stays as it is.
void nameMenuBarItem(QAction *menuAction, const QString &name);

} // namespace ui
