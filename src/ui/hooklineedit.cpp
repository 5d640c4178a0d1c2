// Character hook for line edits, covering key presses and dead-key commits.
#include "ui/hooklineedit.h"

#include "ui/cp1252.h"
#include "ui/deadkeys.h"
#include "ui/keycodes.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace ui {

HookLineEdit::HookLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    // Dead keys are composed by the program, so that every key is judged.
    refuseInputMethod(this);
}

void HookLineEdit::setJudgedInput(bool judged)
{
    m_judged = judged;
    setContextMenuPolicy(judged ? Qt::NoContextMenu : Qt::DefaultContextMenu);
    setAcceptDrops(!judged);
    setDragEnabled(!judged);
}

void HookLineEdit::typeCharacter(quint8 code)
{
    if (!pass(code))
        return;
    if (code >= 32)
        insert(QString(cp1252ToUnicode(code)));
}

// Paste keys that type no character (Shift+Insert, the Paste key) would put
// text in without judging it. Ctrl+V is the character 22 and is judged.
bool HookLineEdit::isUnjudgedPaste(const QKeyEvent *event) const
{
    return m_judged && (event->matches(QKeySequence::Paste) || event->key() == Qt::Key_Paste) &&
           charCodesOf(event).isEmpty();
}

bool HookLineEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && isUnjudgedPaste(static_cast<QKeyEvent *>(event))) {
        event->accept(); // no shortcut elsewhere either: the key press is eaten below
        return true;
    }
    return QLineEdit::event(event);
}

void HookLineEdit::keyPressEvent(QKeyEvent *event)
{
    const QList<quint8> codes = charCodesOf(event);
    if (codes.isEmpty() && typesOutsideCp1252(event)) {
        // No text of the program holds it: a wrong key where keys are
        // judged, and never in the line.
        pass(kOutsideCp1252);
        event->accept();
        return;
    }
    if (codes.isEmpty()) {
        if (isUnjudgedPaste(event))
            event->accept();
        else
            QLineEdit::keyPressEvent(event);
        return;
    }
    if (codes.size() == 1) {
        if (pass(codes.first()))
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    // A key that types several characters (a dead key followed by a letter it
    // cannot compose with): each one is judged on its own.
    for (quint8 code : codes)
        typeCharacter(code);
    event->accept();
}

void HookLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString committed = event->commitString();
    if (committed.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // A commit of several characters is typed one character at a time, each
    // inserted before the next is judged at the new caret.
    if (committed.size() > 1 && event->preeditString().isEmpty() && event->replacementLength() == 0) {
        for (QChar ch : committed) {
            QInputMethodEvent single;
            single.setCommitString(QString(ch));
            inputMethodEvent(&single);
        }
        event->accept();
        return;
    }
    QString accepted;
    for (QChar ch : committed) {
        const int code = unicodeToCp1252(ch);
        if (code < 0)
            pass(kOutsideCp1252);
        else if (pass(quint8(code)))
            accepted.append(ch);
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

void HookLineEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit entered();
}

void HookLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit exited();
}

void HookLineEdit::mousePressEvent(QMouseEvent *event)
{
    if (m_judged && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void HookLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The X11 selection paste happens on the middle button's release.
    if (m_judged && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void HookLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_judged) {
        event->accept();
        return;
    }
    QLineEdit::contextMenuEvent(event);
}

} // namespace ui
