// Our own windows on small screens (a laptop at 200 % offers 960 × 540):
// shrunk to the room the screen leaves, and kept inside it.
#pragma once

class QRect;
class QWidget;

namespace ui {

// Shrinks a top-level window to fit available (its frame included) and
// moves it inside; a window that fits is left as it is.
void fitWindow(QWidget *window, const QRect &available);
// The same with the available room of the window's screen.
void fitWindowToScreen(QWidget *window);

} // namespace ui
