// The learner's text size: the sizes offered, the keys that change it, and
// the scaling of a window whose children sit at fixed places. At 100 % a
// window is never touched.
#pragma once
#include <QKeySequence>
#include <QList>
#include <QVariant>

#include <span>

class QWidget;

namespace ui {

constexpr int kDefaultTextZoom = 100;

// The sizes offered, in percent, smallest first.
std::span<const int> textZoomSteps();
// A size read from the settings: one of the steps, else the default.
int validTextZoom(const QVariant &stored);
// The step after (direction 1) or before (-1) current, kept within the
// steps; direction 0 gives the default.
int stepTextZoom(int current, int direction);
// The keys of each direction: Ctrl++ (main keyboard and keypad), Ctrl+-,
// Ctrl+0. Several spellings each, for the layouts that type + or 0 shifted.
QList<QKeySequence> textZoomKeys(int direction);

// Scales the fonts of top and of its children, and the places and sizes of
// the children that no layout places, from what they were at 100 %; factor 1
// puts them back. A place or font that the window changed since is taken as
// its new 100 %. family: the learner's font for the lines read and typed
// (line and text edits), empty for the window's own.
void applyTextZoom(QWidget *top, double factor, const QString &family = {});
// Fonts only: for a window whose layouts place its children.
void applyTextZoomFonts(QWidget *top, double factor);

// The fonts offered for the lesson text besides the window's own, and
// whether this computer has them.
QStringList lessonFontFamilies();
bool lessonFontInstalled(const QString &family);
// A font read from the settings: one of those offered, else empty (the
// window's own).
QString validLessonFont(const QVariant &stored);

} // namespace ui
