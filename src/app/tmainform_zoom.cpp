// Options › Taille du texte: the learner's text size, kept per learner, for
// the lessons, the guide band and the help. Ctrl++, Ctrl+- and Ctrl+0 are the
// frame's, so that a typing line never takes them for characters. At 100 %
// nothing is touched.
#include "app/helpviewer.h"
#include "app/lesson/lessonwindow.h"
#include "app/tmainform.h"
#include "drills/tepreuve.h"
#include "guide/guideband.h"
#include "ui/settings.h"
#include "ui/textzoom.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>

namespace {

const QString kZoomKey = QStringLiteral("affichage/taille");
const QString kFontKey = QStringLiteral("affichage/police");
// What a window measured at 100 %, kept on it.
const char *const kBaseSize = "tapivoxSizeAt100";

QString stepName(int percent)
{
    return QStringLiteral("Taille%1").arg(percent);
}

QString fontItemName(const QString &family)
{
    return family.isEmpty() ? QStringLiteral("Policepardfaut1") : family + QLatin1Char('1');
}

QSize scaled(QSize size, double factor)
{
    return {qRound(size.width() * factor), qRound(size.height() * factor)};
}

} // namespace

void TMainForm::setupTextZoom()
{
    auto *steps = new QActionGroup(this);
    for (int percent : ui::textZoomSteps()) {
        QAction *item = action(stepName(percent));
        if (!item)
            continue;
        item->setCheckable(true);
        steps->addAction(item);
        connect(item, &QAction::triggered, this, [this, percent] { setTextZoom(percent); });
    }
    const struct
    {
        const char *item;
        int direction;
    } commands[] = {{"Agrandirletexte1", 1}, {"Rduireletexte1", -1}, {"Taille100", 0}};
    for (const auto &command : commands)
        if (QAction *item = action(QLatin1String(command.item))) {
            item->setShortcuts(ui::textZoomKeys(command.direction));
            if (command.direction != 0)
                connect(item, &QAction::triggered, this, [this, direction = command.direction] {
                    setTextZoom(ui::stepTextZoom(m_textZoom, direction));
                });
        }
    auto *fonts = new QActionGroup(this);
    QStringList families{QString()};
    families += ui::lessonFontFamilies();
    for (const QString &family : std::as_const(families))
        if (QAction *item = action(fontItemName(family))) {
            item->setCheckable(true);
            fonts->addAction(item);
            connect(item, &QAction::triggered, this, [this, family] { setLessonFont(family); });
        }
    // Which fonts this computer has is asked when the learner looks, not
    // before the first paint: listing them reads the whole font database.
    if (QAction *police = action(QStringLiteral("Policedutexte1")); police && police->menu())
        connect(police->menu(), &QMenu::aboutToShow, this, [this, families] {
            for (const QString &family : families)
                if (QAction *item = action(fontItemName(family)))
                    item->setEnabled(family.isEmpty() || ui::lessonFontInstalled(family));
        });
    readTextZoomChoice();
}

void TMainForm::setLessonFont(const QString &family)
{
    const QString valid = ui::validLessonFont(family);
    ui::settings()->setValue(ui::learnerKey(kFontKey), valid);
    if (QAction *item = action(fontItemName(valid)))
        item->setChecked(true);
    // A font this computer lacks: the lessons keep their own.
    const QString shown = ui::lessonFontInstalled(valid) ? valid : QString();
    if (shown == m_lessonFont)
        return;
    m_lessonFont = shown;
    applyTextZoomChoice();
}

void TMainForm::readTextZoomChoice()
{
    const auto settings = ui::settings();
    const QString key = ui::learnerKey(kZoomKey);
    const QVariant stored = settings->value(key);
    const int percent = ui::validTextZoom(stored);
    // A size the program does not offer is mended to the default.
    if (stored.isValid() && stored.toString() != QString::number(percent))
        settings->setValue(key, percent);
    if (QAction *item = action(stepName(percent)))
        item->setChecked(true);
    const QVariant font = settings->value(ui::learnerKey(kFontKey));
    const QString family = ui::validLessonFont(font);
    if (font.isValid() && font.toString() != family)
        settings->setValue(ui::learnerKey(kFontKey), family);
    if (QAction *item = action(fontItemName(family)))
        item->setChecked(true);
    const QString shown = !family.isEmpty() && ui::lessonFontInstalled(family) ? family : QString();
    if (percent != m_textZoom || shown != m_lessonFont) {
        m_textZoom = percent;
        m_lessonFont = shown;
        applyTextZoomChoice();
    }
}

void TMainForm::setTextZoom(int percent)
{
    percent = ui::validTextZoom(percent);
    if (QAction *item = action(stepName(percent)))
        item->setChecked(true);
    ui::settings()->setValue(ui::learnerKey(kZoomKey), percent);
    if (percent == m_textZoom)
        return;
    m_textZoom = percent;
    applyTextZoomChoice();
}

void TMainForm::zoomLesson(LessonWindow *w)
{
    QMdiSubWindow *sub = subWindowOf(w);
    if (!sub)
        return;
    const double factor = m_textZoom / 100.0;
    w->setTextZoom(factor, m_lessonFont);
    if (factor == 1.0 && !sub->property(kBaseSize).isValid())
        return;
    if (!sub->property(kBaseSize).isValid())
        sub->setProperty(kBaseSize, sub->size());
    sub->setFixedSize(scaled(sub->property(kBaseSize).toSize(), factor));
}

void TMainForm::followCaret(LessonWindow *w)
{
    if (m_textZoom == ui::kDefaultTextZoom)
        return;
    QWidget *line = QApplication::focusWidget();
    QWidget *view = mdiArea->viewport();
    if (!line || !w->isAncestorOf(line) || !view->isAncestorOf(line))
        return;
    // The caret with a few letters on each side, and the model line above.
    const QRect caret = line->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (!caret.isValid())
        return;
    const int aside = line->fontMetrics().averageCharWidth() * 4;
    QRect spot(caret.center().x() - aside, -line->height(), 2 * aside, 2 * line->height());
    spot = spot.intersected(QRect(QPoint(0, -line->height()), QSize(line->width(), 2 * line->height())));
    spot.moveTopLeft(line->mapTo(view, spot.topLeft()));
    const QRect seen = view->rect();
    const auto follow = [](QScrollBar *bar, int low, int high, int seenLow, int seenHigh) {
        if (high > seenHigh)
            bar->setValue(bar->value() + qMin(high - seenHigh, low - seenLow));
        else if (low < seenLow)
            bar->setValue(bar->value() - (seenLow - low));
    };
    follow(mdiArea->horizontalScrollBar(), spot.left(), spot.right(), seen.left(), seen.right());
    follow(mdiArea->verticalScrollBar(), spot.top(), spot.bottom(), seen.top(), seen.bottom());
}

void TMainForm::applyTextZoomChoice()
{
    const double factor = m_textZoom / 100.0;
    for (QMdiSubWindow *sub : mdiArea->subWindowList())
        if (auto *w = qobject_cast<LessonWindow *>(sub->widget()))
            zoomLesson(w);
    if (m_guide && (factor != 1.0 || m_guide->property(kBaseSize).isValid())) {
        if (!m_guide->property(kBaseSize).isValid())
            m_guide->setProperty(kBaseSize, m_guide->height());
        // The band grows with its text, leaving the lesson most of the screen.
        const int room = screen() ? screen()->availableSize().height() * 2 / 5 : 240;
        const int base = m_guide->property(kBaseSize).toInt();
        m_guide->setFixedHeight(qMax(base, qMin(qRound(base * factor), room)));
        ui::applyTextZoomFonts(m_guide, factor);
    }
    if (m_help && (factor != 1.0 || m_help->property(kBaseSize).isValid())) {
        m_help->setProperty(kBaseSize, true);
        ui::applyTextZoomFonts(m_help, factor);
    }
    if (m_epreuve && (factor != 1.0 || m_epreuve->property(kBaseSize).isValid())) {
        m_epreuve->setProperty(kBaseSize, true);
        ui::applyTextZoomFonts(m_epreuve, factor);
    }
}
