// The text dump of the running program's visible state (test build only).
#include "journey_state.h"

#include "accessories/tblocnotes.h"
#include "app/forms.h"
#include "app/lesson/lessonwindow.h"
#include "app/lesson/tstats.h"
#include "app/lessontable.h"
#include "app/tmainform.h"
#include "drills/drillwindow.h"
#include "drills/texos.h"
#include "drills/tjeu.h"
#include "drills/tphrases.h"
#include "drills/ttexte.h"
#include "keyboard/keybutton.h"
#include "keyboard/tclavier.h"
#include "office/stringgrid.h"
#include "office/tsaisie.h"
#include "office/ttableur.h"
#include "ui/clicklabel.h"
#include "ui/hooklineedit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

namespace journey {

QString escapeValue(const QString &value)
{
    QString out = value;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    out.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return out;
}

namespace {

class Dump
{
public:
    void add(const QString &key, const QString &value)
    {
        m_text += key + QLatin1Char('=') + escapeValue(value) + QLatin1Char('\n');
    }
    void add(const QString &key, qint64 value) { add(key, QString::number(value)); }
    void rect(const QString &key, const QRect &r)
    {
        add(key, QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
    }
    QString text() const { return m_text; }

private:
    QString m_text;
};

QString nameOf(const QObject *o)
{
    if (!o)
        return QString();
    return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName();
}

// The lesson window or dialog a widget belongs to, for naming its geometry.
QString ownerOf(const QWidget *w)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const LessonWindow *>(p) || p->isWindow())
            return nameOf(p);
    return QString();
}

void lesson(Dump &d, const LessonWindow *w)
{
    if (!w)
        return;
    const QString n = w->objectName();
    d.add(n + QLatin1String(".code"), w->GetIni());
    d.add(n + QLatin1String(".good"), w->good());
    d.add(n + QLatin1String(".errors"), w->errors());
    d.add(n + QLatin1String(".seconds"), w->seconds());
    d.add(n + QLatin1String(".chrono"), w->chronometerRunning() ? 1 : 0);
    if (w->StaticText2)
        d.add(n + QLatin1String(".StaticText2"), w->StaticText2->text());
}

void drillWindow(Dump &d, const DrillWindow *w)
{
    const QString n = w->objectName();
    d.add(n + QLatin1String(".Label1"), w->Label1->text());
    d.add(n + QLatin1String(".Label2"), w->Label2->text());
    for (int i = 0; i < 3; ++i) {
        d.add(n + QStringLiteral(".Edit%1").arg(2 * i + 1), w->modelLine(i)->text());
        d.add(n + QStringLiteral(".Edit%1").arg(2 * i + 2), w->typingLine(i)->text());
    }
}

void windows(Dump &d)
{
    const Forms &f = forms();
    d.add(QStringLiteral("active"), nameOf(f.MainForm->activeLesson()));
    d.add(QStringLiteral("lessonFile"), f.MainForm->lessonFileName);
    for (const LessonDef &row : lessonTable()) {
        const LessonWindow *w = lessonWindow(row);
        lesson(d, w);
        d.add(QStringLiteral("menu.%1").arg(nameOf(w)), f.MainForm->menuCode(row.module));
    }
    // The checked lesson items by name, menu by menu.
    const QList<QMenu *> menus = f.MainForm->menuBar()->findChildren<QMenu *>(Qt::FindDirectChildrenOnly);
    for (const QMenu *menu : menus)
        for (const QAction *a : menu->actions())
            if (a->isCheckable() && a->isChecked())
                d.add(QStringLiteral("checked.%1").arg(menu->objectName()), a->objectName());

    d.add(QStringLiteral("TClavier.Label1"), f.Clavier->Label1->text());
    d.add(QStringLiteral("TClavier.Label2"), f.Clavier->Label2->text());
    // The lock lights: Num Lock, Caps Lock, Scroll Lock (1 lit).
    d.add(QStringLiteral("TClavier.lights"), QStringLiteral("%1%2%3")
                                                 .arg(f.Clavier->SpeedButton105->isEnabled() ? 1 : 0)
                                                 .arg(f.Clavier->SpeedButton106->isEnabled() ? 1 : 0)
                                                 .arg(f.Clavier->SpeedButton107->isEnabled() ? 1 : 0));
    drillWindow(d, f.Exos);
    drillWindow(d, f.Phrases);
    d.add(QStringLiteral("TTexte.RichEdit2"), f.Texte->RichEdit2()->toPlainText());
    d.add(QStringLiteral("TTexte.line"), f.Texte->currentLine());
    d.add(QStringLiteral("TTexte.model0"), f.Texte->modelLine(0));
    d.add(QStringLiteral("TTableur.Edit1"), f.Tableur->Edit1()->text());
    d.add(QStringLiteral("TTableur.Edit2"), f.Tableur->Edit2()->text());
    const office::GridCell at = f.Tableur->StringGrid2()->current();
    d.add(QStringLiteral("TTableur.current"), QStringLiteral("%1,%2").arg(at.col).arg(at.row));
    for (int row = 1; row <= 9; ++row)
        for (int col = 1; col <= 9; ++col) {
            const QString text = f.Tableur->StringGrid2()->cell({col, row});
            if (!text.isEmpty())
                d.add(QStringLiteral("TTableur.cell.%1%2").arg(QChar(u'A' + col - 1)).arg(row), text);
        }
    if (QLineEdit *editor = f.Tableur->StringGrid2()->cellEditor())
        d.add(QStringLiteral("TTableur.editor"), editor->text());
    QLineEdit *const saisie[] = {f.Saisie->Edit1(), f.Saisie->Edit2(), f.Saisie->Edit3(), f.Saisie->Edit4(),
                                 f.Saisie->Edit5(), f.Saisie->Edit6(), f.Saisie->Edit7(), f.Saisie->Edit8(),
                                 f.Saisie->Edit9(), f.Saisie->Edit10()};
    for (int i = 0; i < 10; ++i)
        d.add(QStringLiteral("TSaisie.Edit%1").arg(i + 1), saisie[i]->text());
    const GameLogic &game = f.Jeu->logic();
    d.add(QStringLiteral("TJeu.Label2"), f.Jeu->Label2->text());
    d.add(QStringLiteral("TJeu.timer"), f.Jeu->Timer2->isActive() ? 1 : 0);
    d.add(QStringLiteral("TJeu.falling"), game.falling() ? 1 : 0);
    for (int i = 1; i <= GameLogic::kItemCount; ++i) {
        d.add(QStringLiteral("TJeu.item%1").arg(i), game.item(i));
        d.add(QStringLiteral("TJeu.pos%1").arg(i), game.position(i));
    }
    d.add(QStringLiteral("TJeu.logicGood"), game.good());
    d.add(QStringLiteral("TJeu.logicErrors"), game.errors());
    QLineEdit *const stats[] = {f.Stats->Edit1(), f.Stats->Edit2(), f.Stats->Edit3(),
                                f.Stats->Edit4(), f.Stats->Edit5(), f.Stats->Edit6()};
    for (int i = 0; i < 6; ++i)
        d.add(QStringLiteral("TStats.Edit%1").arg(i + 1), stats[i]->text());
    d.add(QStringLiteral("notes"), f.Blocnotes->notes());
    // The start offer's resume button, while it is offered.
    if (const auto *resume = f.MainForm->findChild<QAbstractButton *>(QStringLiteral("GuideReprendre")))
        if (resume->isVisible())
            d.add(QStringLiteral("GuideReprendre"), QString(resume->text()).remove(QLatin1Char('&')));
}

void topLevels(Dump &d)
{
    d.add(QStringLiteral("focus"), nameOf(QApplication::focusWidget()));
    if (QWidget *focus = QApplication::focusWidget())
        d.add(QStringLiteral("focus.owner"), ownerOf(focus));
    d.add(QStringLiteral("activeWindow"), nameOf(QApplication::activeWindow()));
    d.add(QStringLiteral("modal"), nameOf(QApplication::activeModalWidget()));
    if (QWidget *modal = QApplication::activeModalWidget()) {
        d.add(QStringLiteral("modal.title"), modal->windowTitle());
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            d.add(QStringLiteral("modal.text"), box->text());
        // Tables of a modal window, row by row: "cell|cell|...".
        for (const QTableWidget *table : modal->findChildren<QTableWidget *>()) {
            for (int r = 0; r < table->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columnCount(); ++c)
                    cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
                d.add(QStringLiteral("table.%1.%2").arg(table->objectName()).arg(r),
                      cells.join(QLatin1Char('|')));
            }
        }
        // Lists of a modal window, row by row, and the row with the cursor.
        for (const QListWidget *list : modal->findChildren<QListWidget *>()) {
            for (int r = 0; r < list->count(); ++r)
                d.add(QStringLiteral("list.%1.%2").arg(list->objectName()).arg(r), list->item(r)->text());
            d.add(QStringLiteral("list.%1.current").arg(list->objectName()), list->currentRow());
        }
    }
    d.add(QStringLiteral("popup"), nameOf(QApplication::activePopupWidget()));
    const QList<QWidget *> tops = QApplication::topLevelWidgets();
    for (QWidget *top : tops) {
        if (!top->isVisible())
            continue;
        const QString t = nameOf(top);
        d.add(QStringLiteral("window.%1").arg(t), static_cast<qint64>(top->winId()));
        d.add(QStringLiteral("window.%1.title").arg(t), top->windowTitle());
        d.rect(QStringLiteral("window.%1.geometry").arg(t), top->geometry());
        if (auto *menu = qobject_cast<QMenu *>(top)) {
            for (QAction *a : menu->actions())
                if (!a->isSeparator())
                    d.rect(QStringLiteral("menuitem.%1").arg(nameOf(a)), menu->actionGeometry(a));
        }
        if (auto *bar = top->findChild<QMenuBar *>()) {
            for (QAction *a : bar->actions())
                if (a->menu())
                    d.rect(QStringLiteral("menubar.%1").arg(a->menu()->objectName()),
                           QRect(bar->mapTo(top, bar->actionGeometry(a).topLeft()),
                                 bar->actionGeometry(a).size()));
        }
        const QList<QWidget *> children = top->findChildren<QWidget *>();
        for (QWidget *w : children) {
            if (!w->isVisibleTo(top))
                continue;
            QString name = w->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) {
                auto *button = qobject_cast<QAbstractButton *>(w);
                if (!button || button->text().isEmpty())
                    continue;
                name = QStringLiteral("button:") + QString(button->text()).remove(QLatin1Char('&'));
            }
            d.rect(QStringLiteral("geom.%1.%2.%3").arg(t, ownerOf(w), name),
                   QRect(w->mapTo(top, QPoint(0, 0)), w->size()));
        }
    }
}

} // namespace

QString dumpState()
{
    Dump d;
    if (forms().MainForm) {
        windows(d);
        topLevels(d);
    }
    return d.text();
}

} // namespace journey
