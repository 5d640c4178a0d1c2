// One pass over the widget tree: table entries first, then defaults drawn
// from what the widget shows.
#include "ui/accessibility.h"
#include "ui/accessiblemenubar.h"
#include "ui/caption.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTextEdit>

#include <utility>
#include <vector>

namespace ui {

namespace {

QString stripAmpersands(const QString &text)
{
    return captionText(text).trimmed();
}

bool isControl(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w) ||
           qobject_cast<const QTextEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w) ||
           qobject_cast<const QAbstractItemView *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QSlider *>(w);
}

bool isProgramWindow(const QWidget *w)
{
    return !w->objectName().isEmpty() && w->objectName() == QLatin1String(w->metaObject()->className());
}

// The label left of a line edit (or combo box) on the same row, in the same parent: the
// edit is then read by the label's current text (Qt's buddy relation), which
// follows the lesson when the label changes.
QLabel *rowLabel(const QWidget *edit)
{
    const QWidget *parent = edit->parentWidget();
    if (!parent)
        return nullptr;
    const QRect g = edit->geometry();
    QLabel *best = nullptr;
    int bestGap = 0;
    for (QObject *o : parent->children()) {
        auto *label = qobject_cast<QLabel *>(o);
        if (!label || label->buddy() || label->text().isEmpty() || label->text().contains(QLatin1Char('&')))
            continue;
        const QRect l = label->geometry();
        const int centre = l.center().y();
        if (centre < g.top() || centre > g.bottom() || l.right() > g.left())
            continue;
        const int gap = g.left() - l.right();
        if (!best || gap < bestGap) {
            best = label;
            bestGap = gap;
        }
    }
    return best;
}

bool isWindowLike(const QWidget *w)
{
    return isProgramWindow(w) || w->isWindow() || qobject_cast<const QMdiSubWindow *>(w);
}

struct Namer
{
    struct Pattern
    {
        QString head, tail;
        const AccessibleText *entry;
    };
    QHash<QString, const AccessibleText *> exact;
    std::vector<Pattern> patterns;

    // The exact entry and the pattern matching key; a field the exact entry
    // leaves null comes from the pattern.
    std::pair<const AccessibleText *, const AccessibleText *> find(const QString &key) const
    {
        const AccessibleText *precise = exact.value(key, nullptr);
        for (const Pattern &p : patterns)
            if (key.size() >= p.head.size() + p.tail.size() && key.startsWith(p.head) && key.endsWith(p.tail))
                return {precise, p.entry};
        return {precise, nullptr};
    }

    void visit(QWidget *w, QString window, const QString &inherited)
    {
        if (isProgramWindow(w))
            window = w->objectName();
        const QString key = w->objectName() == window ? window : window + QLatin1Char('/') + w->objectName();
        const auto [precise, pattern] = w->objectName().isEmpty()
                                            ? std::pair<const AccessibleText *, const AccessibleText *>{}
                                            : find(key);
        const char *fixedName = precise && precise->name ? precise->name : pattern ? pattern->name : nullptr;
        const char *description = precise && precise->description ? precise->description
                                  : pattern                       ? pattern->description
                                                                  : nullptr;
        if (fixedName) {
            QString name = QString::fromUtf8(fixedName);
            if (name.contains(QLatin1String("%1"))) {
                const auto *button = qobject_cast<const QAbstractButton *>(w);
                name = name.arg(button ? stripAmpersands(button->text()) : QString());
            }
            w->setAccessibleName(name);
            // A menu is read in the menu bar by its item, not by itself.
            if (auto *menu = qobject_cast<QMenu *>(w))
                nameMenuBarItem(menu->menuAction(), name);
        } else if (w->accessibleName().isEmpty() && (isControl(w) || isWindowLike(w))) {
            QString name = defaultAccessibleName(w);
            if (name.isEmpty() && w->objectName().isEmpty())
                name = inherited; // a part of a control: its editor, its list
            if (name.isEmpty() && qobject_cast<QLineEdit *>(w)) {
                if (QLabel *label = rowLabel(w))
                    label->setBuddy(w);
            } else if (!name.isEmpty()) {
                w->setAccessibleName(name);
            }
        }
        // A combo box is read by its current text; its label comes through
        // the buddy relation.
        if (qobject_cast<QComboBox *>(w))
            if (QLabel *label = rowLabel(w))
                label->setBuddy(w);
        if (description)
            w->setAccessibleDescription(QString::fromUtf8(description));
        const QString passed = w->accessibleName().isEmpty() ? inherited : w->accessibleName();
        for (QObject *o : w->children())
            if (o->isWidgetType())
                visit(static_cast<QWidget *>(o), window, passed);
    }
};

} // namespace

QString defaultAccessibleName(const QWidget *w)
{
    if (w->inherits("QTableCornerButton"))
        return QStringLiteral("Tout sélectionner");
    if (const auto *header = qobject_cast<const QHeaderView *>(w))
        return header->orientation() == Qt::Horizontal ? QStringLiteral("En-têtes de colonnes")
                                                       : QStringLiteral("En-têtes de lignes");
    if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        const QString text = stripAmpersands(button->text());
        if (!text.isEmpty())
            return text;
    }
    if (!w->toolTip().isEmpty())
        return stripAmpersands(w->toolTip());
    if (const auto *menu = qobject_cast<const QMenu *>(w))
        return stripAmpersands(menu->menuAction()->text());
    if (isWindowLike(w))
        return stripAmpersands(w->windowTitle());
    return QString();
}

void applyAccessibleTexts(QWidget *root, std::span<const AccessibleText> table)
{
    Namer namer;
    namer.exact.reserve(qsizetype(table.size()));
    for (const AccessibleText &entry : table) {
        const QString path = QString::fromUtf8(entry.path);
        const qsizetype star = path.indexOf(QLatin1Char('*'));
        if (star >= 0)
            namer.patterns.push_back({path.left(star), path.mid(star + 1), &entry});
        else
            namer.exact.insert(path, &entry);
    }
    namer.visit(root, QString(), QString());
}

void nameEveryWindow(QWidget *frame)
{
    applyAccessibleTexts(frame, accessibleTexts());
}

} // namespace ui
