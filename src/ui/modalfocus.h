// The keyboard goes back to the window behind a modal dialog when it closes.
#pragma once

class QApplication;

namespace ui {

// Watches the application's modal dialogs (installed once).
void keepFocusAfterModals(QApplication &app);

} // namespace ui
