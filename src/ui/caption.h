// Captions with accelerator markers, as a label shows them.
#pragma once
#include <QString>

namespace ui {

// "&&" shows one "&"; a single "&" marks the next character and is not shown.
QString captionText(const QString &text);

} // namespace ui
