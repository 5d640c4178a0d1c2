// Plain sunken borders around frameless line edits.
#include "ui/flatframe.h"

#include <QFrame>
#include <QLineEdit>

namespace ui {

QFrame *giveFlatFrame(QLineEdit *edit)
{
    edit->setFrame(false);
    auto *border = new QFrame(edit->parentWidget());
    border->setObjectName(edit->objectName() + QStringLiteral("Border"));
    border->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    border->setLineWidth(2);
    border->setGeometry(edit->geometry().adjusted(-2, -2, 2, 2));
    border->lower();
    border->setAttribute(Qt::WA_TransparentForMouseEvents);
    border->setFocusPolicy(Qt::NoFocus);
    border->show();
    return border;
}

} // namespace ui
