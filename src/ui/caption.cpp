// Accelerator markers removed from captions.
#include "ui/caption.h"

namespace ui {

QString captionText(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                shown += u'&';
                ++i;
            }
            continue;
        }
        shown += text[i];
    }
    return shown;
}

} // namespace ui
