// A cheap sunken border for line edits that repaint on every key: the
// style's rounded, antialiased frame costs most of a key's repaint.
#pragma once

class QFrame;
class QLineEdit;

namespace ui {

// Draws edit without its own frame and puts a plain sunken two-pixel border
// just outside it, behind it; the edit keeps its geometry.
QFrame *giveFlatFrame(QLineEdit *edit);

} // namespace ui
