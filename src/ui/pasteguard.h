// Pasting from an empty or non-text clipboard inserts nothing: Qt 6.4's text
// editors crash when they paste a clipboard that holds no data at all.
#pragma once
#include <QClipboard>

class QAbstractScrollArea;

namespace ui {

// Whether the clipboard (or the X11 selection) holds text to paste.
bool clipboardHasText(QClipboard::Mode mode = QClipboard::Clipboard);
// Guards a QTextEdit or QPlainTextEdit: the paste keys (Ctrl+V,
// Shift+Insert) and the middle click do nothing while there is no text
// to paste.
void guardPaste(QAbstractScrollArea *editor);

} // namespace ui
