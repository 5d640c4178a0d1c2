// Text size: scaled copies of what a widget was at 100 %, kept in dynamic
// properties beside the widget, so that scaling twice never compounds.
#include "ui/textzoom.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <cmath>

namespace ui {

namespace {

const int kSteps[] = {100, 125, 150, 175, 200};

// What the widget was at 100 %, and what it was given last.
const char *const kBaseFont = "tapivoxZoomBaseFont";
const char *const kGivenFont = "tapivoxZoomFont";
const char *const kBaseGeometry = "tapivoxZoomBaseGeometry";
const char *const kGivenGeometry = "tapivoxZoomGeometry";
const char *const kBaseMin = "tapivoxZoomBaseMin";
const char *const kBaseMax = "tapivoxZoomBaseMax";

int scaled(int value, double factor)
{
    return int(std::lround(value * factor));
}

QSize scaledLimit(QSize size, double factor)
{
    auto one = [factor](int v) {
        return v >= QWIDGETSIZE_MAX ? v : qMin(QWIDGETSIZE_MAX, scaled(v, factor));
    };
    return {one(size.width()), one(size.height())};
}

bool inLayout(const QLayout *layout, const QWidget *w)
{
    for (int i = 0; layout && i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w)
            return true;
        if (item->layout() && inLayout(item->layout(), w))
            return true;
    }
    return false;
}

// Scrolled contents and the parts of compound widgets are placed by Qt.
bool placedByQt(const QWidget *w, const QWidget *top)
{
    for (const QWidget *p = w->parentWidget(); p && p != top; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea *>(p) || qobject_cast<const QComboBox *>(p) ||
            qobject_cast<const QAbstractSpinBox *>(p))
            return true;
    return inLayout(w->parentWidget()->layout(), w);
}

bool readOrTyped(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QTextEdit *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w);
}

void scaleFont(QWidget *w, double factor, bool always, const QString &family)
{
    // Only fonts set on the widget: the others follow their parent's.
    if (!always && !w->testAttribute(Qt::WA_SetFont))
        return;
    if (!w->property(kBaseFont).isValid() && factor == 1.0 && family.isEmpty())
        return;
    QFont base = w->property(kBaseFont).value<QFont>();
    if (!w->property(kBaseFont).isValid() || w->font() != w->property(kGivenFont).value<QFont>())
        base = w->font();
    w->setProperty(kBaseFont, base);
    QFont font = base;
    if (base.pixelSize() > 0)
        font.setPixelSize(qMax(1, scaled(base.pixelSize(), factor)));
    else if (base.pointSizeF() > 0)
        font.setPointSizeF(base.pointSizeF() * factor);
    if (!family.isEmpty())
        font.setFamilies({family});
    w->setFont(font);
    w->setProperty(kGivenFont, w->font());
}

void scaleGeometry(QWidget *w, double factor)
{
    if (!w->property(kBaseGeometry).isValid() && factor == 1.0)
        return;
    if (!w->property(kBaseGeometry).isValid()) {
        w->setProperty(kBaseGeometry, w->geometry());
        w->setProperty(kBaseMin, w->minimumSize());
        w->setProperty(kBaseMax, w->maximumSize());
    }
    // A window that moved or resized a child since (a longer instruction)
    // did so at 100 %: that part becomes the new base, the rest stays.
    QRect base = w->property(kBaseGeometry).toRect();
    const QRect given = w->property(kGivenGeometry).toRect();
    if (given.isValid() && w->x() != given.x())
        base.moveLeft(w->x());
    if (given.isValid() && w->y() != given.y())
        base.moveTop(w->y());
    if (given.isValid() && w->width() != given.width())
        base.setWidth(w->width());
    if (given.isValid() && w->height() != given.height())
        base.setHeight(w->height());
    if (given.isValid() && w->size() != given.size()) {
        w->setProperty(kBaseMin, w->minimumSize());
        w->setProperty(kBaseMax, w->maximumSize());
    }
    w->setProperty(kBaseGeometry, base);
    w->setMinimumSize(scaledLimit(w->property(kBaseMin).toSize(), factor));
    w->setMaximumSize(scaledLimit(w->property(kBaseMax).toSize(), factor));
    w->setGeometry(scaled(base.x(), factor), scaled(base.y(), factor), scaled(base.width(), factor),
                   scaled(base.height(), factor));
    w->setProperty(kGivenGeometry, w->geometry());
}

void apply(QWidget *top, double factor, bool geometry, const QString &family = {})
{
    scaleFont(top, factor, true, {});
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (w->isWindow())
            continue;
        const bool text = readOrTyped(w) && !placedByQt(w, top);
        scaleFont(w, factor, text && !family.isEmpty(), text ? family : QString());
        if (geometry && !placedByQt(w, top))
            scaleGeometry(w, factor);
    }
}

} // namespace

std::span<const int> textZoomSteps()
{
    return kSteps;
}

int validTextZoom(const QVariant &stored)
{
    bool ok = false;
    const int value = stored.toInt(&ok);
    if (ok)
        for (int step : kSteps)
            if (step == value)
                return value;
    return kDefaultTextZoom;
}

int stepTextZoom(int current, int direction)
{
    if (direction == 0)
        return kDefaultTextZoom;
    const std::span<const int> steps = kSteps;
    int index = 0;
    while (index + 1 < int(steps.size()) && steps[index] < current)
        ++index;
    index = qBound(0, index + (direction > 0 ? 1 : -1), int(steps.size()) - 1);
    return steps[index];
}

QList<QKeySequence> textZoomKeys(int direction)
{
    const QKeyCombination ctrl = QKeyCombination(Qt::ControlModifier, Qt::Key_unknown);
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers more = {}) {
        return QKeySequence(QKeyCombination(ctrl.keyboardModifiers() | more, k));
    };
    if (direction > 0)
        return {key(Qt::Key_Plus), key(Qt::Key_Plus, Qt::KeypadModifier),
                key(Qt::Key_Plus, Qt::ShiftModifier), key(Qt::Key_Equal)};
    if (direction < 0)
        return {key(Qt::Key_Minus), key(Qt::Key_Minus, Qt::KeypadModifier)};
    // On AZERTY the 0 of the main row is shifted; unshifted it types « à ».
    return {key(Qt::Key_0), key(Qt::Key_0, Qt::KeypadModifier), key(Qt::Key_0, Qt::ShiftModifier),
            key(Qt::Key_Agrave)};
}

void applyTextZoom(QWidget *top, double factor, const QString &family)
{
    apply(top, factor, true, family);
}

void applyTextZoomFonts(QWidget *top, double factor)
{
    apply(top, factor, false);
}

QStringList lessonFontFamilies()
{
    // Andika was drawn for beginning readers; OpenDyslexic is offered as a
    // taste, not as a remedy.
    return {QStringLiteral("Andika"), QStringLiteral("OpenDyslexic")};
}

bool lessonFontInstalled(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

QString validLessonFont(const QVariant &stored)
{
    const QString name = stored.toString();
    for (const QString &family : lessonFontFamilies())
        if (family.compare(name, Qt::CaseInsensitive) == 0)
            return family;
    return QString();
}

} // namespace ui
