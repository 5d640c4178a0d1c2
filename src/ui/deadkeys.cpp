// Dead-key composition for the widgets that take no input method.
#include "ui/deadkeys.h"

#include "ui/cp1252.h"

#include <QApplication>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QWidget>

namespace ui {

DeadKey deadKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Dead_Circumflex: return {u'^', QChar(0x0302)};
    case Qt::Key_Dead_Diaeresis: return {QChar(0x00A8), QChar(0x0308)};
    case Qt::Key_Dead_Grave: return {u'`', QChar(0x0300)};
    case Qt::Key_Dead_Acute: return {QChar(0x00B4), QChar(0x0301)};
    case Qt::Key_Dead_Tilde: return {u'~', QChar(0x0303)};
    case Qt::Key_Dead_Cedilla: return {QChar(0x00B8), QChar(0x0327)};
    case Qt::Key_Dead_Abovering: return {QChar(0x00B0), QChar(0x030A)};
    case Qt::Key_Dead_Macron: return {QChar(0x00AF), QChar(0x0304)};
    case Qt::Key_Dead_Caron: return {QChar(0x02C7), QChar(0x030C)};
    case Qt::Key_Dead_Breve: return {QChar(0x02D8), QChar(0x0306)};
    case Qt::Key_Dead_Abovedot: return {QChar(0x02D9), QChar(0x0307)};
    case Qt::Key_Dead_Doubleacute: return {QChar(0x02DD), QChar(0x030B)};
    case Qt::Key_Dead_Ogonek: return {QChar(0x02DB), QChar(0x0328)};
    default: return {};
    }
}

QString composeAfterDeadKey(const DeadKey &dead, const QString &text)
{
    if (text.isEmpty())
        return QString();
    if (text == QLatin1String(" "))
        return QString(dead.spacing);
    if (text.size() == 1) {
        const QString composed = (text + dead.accent).normalized(QString::NormalizationForm_C);
        if (composed.size() == 1 && unicodeToCp1252(composed.front()) >= 0)
            return composed;
    }
    return dead.spacing + text;
}

namespace {

// Reports no input method, whatever the widget class would say.
class NoInputMethod final : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::InputMethodQuery)
            return false;
        auto *query = static_cast<QInputMethodQueryEvent *>(event);
        if (!(query->queries() & Qt::ImEnabled))
            return false;
        query->setValue(Qt::ImEnabled, false);
        return true;
    }
};

// A character event without a key: no key-down for the windows that count
// them, only the character.
void sendCharacter(QObject *receiver, const QString &text)
{
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QCoreApplication::sendEvent(receiver, &typed);
}

} // namespace

void refuseInputMethod(QWidget *widget)
{
    installDeadKeyComposer();
    widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    widget->installEventFilter(new NoInputMethod(widget));
}

DeadKeyComposer::DeadKeyComposer(QObject *parent)
    : QObject(parent)
{}

bool DeadKeyComposer::eventFilter(QObject *watched, QEvent *event)
{
    // The key press is seen once, by its first receiver (the focus widget);
    // the events sent from here are not composed again.
    if (event->type() != QEvent::KeyPress || m_sending || watched != QApplication::focusWidget())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const DeadKey dead = deadKeyOf(key->key());
    if (!dead.spacing.isNull() && !pending()) {
        m_dead = dead; // the key-down goes on to the widget
        return false;
    }
    if (!pending() || (dead.spacing.isNull() && key->text().isEmpty()) || key->isAutoRepeat())
        return false; // Shift, arrows...: the dead key waits
    const DeadKey before = m_dead;
    m_dead = {};
    // A second dead key types both characters; a letter takes the accent
    // when it can, otherwise comes after the dead key's character.
    const QString composed = dead.spacing.isNull() ? composeAfterDeadKey(before, key->text())
                                                   : QString(before.spacing) + dead.spacing;
    const bool oneKey = dead.spacing.isNull() && composed.size() == 1;
    m_sending = true;
    if (!oneKey && dead.spacing.isNull())
        sendCharacter(watched, QString(before.spacing));
    QKeyEvent resent(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                     key->nativeVirtualKey(), key->nativeModifiers(), oneKey ? composed : key->text(), false,
                     1, key->device());
    QCoreApplication::sendEvent(watched, &resent);
    if (!dead.spacing.isNull())
        for (QChar ch : composed)
            sendCharacter(watched, QString(ch));
    m_sending = false;
    key->accept(); // handled: not handed on to the parents a second time
    return true;
}

void installDeadKeyComposer()
{
    static DeadKeyComposer *composer = nullptr;
    if (!composer) {
        composer = new DeadKeyComposer(qApp);
        qApp->installEventFilter(composer);
    }
}

} // namespace ui
