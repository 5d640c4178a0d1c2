// The program at QT_SCALE_FACTOR=2 under X11: every lesson window and every
// dialog is whole (children inside their parents, captions not cut, the
// frame scrolls to what does not fit the screen), with a screenshot of each
// in <build>/scale-screens/ to look at.
#include "accessories/tblocnotes.h"
#include "accessories/tcalendrier.h"
#include "accessories/thorloge.h"
#include "accessories/tpocket.h"
#include "app/forms.h"
#include "app/helpviewer.h"
#include "app/lesson/tstats.h"
#include "app/lessontable.h"
#include "app/taboutbox.h"
#include "app/tmainform.h"
#include "drills/texos.h"
#include "drills/tjeu.h"
#include "drills/tphrases.h"
#include "drills/ttexte.h"
#include "keyboard/keybutton.h"
#include "keyboard/tcaract.h"
#include "keyboard/tclavier.h"
#include "office/tsaisie.h"
#include "office/ttableur.h"
#include "progress/tprogression.h"
#include "support/testsupport.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

class TestX11Scale : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void lessonWindowIsWhole_data();
    void lessonWindowIsWhole();
    void dialogIsWhole_data();
    void dialogIsWhole();
    void everyMenuIsReachable();

private:
    std::unique_ptr<test::TempCwd> m_cwd;
    std::unique_ptr<test::PrompterScope> m_prompts;
    QDir m_screens;
};

namespace {

// A cut of up to this many logical pixels is a rounding, not a lost piece.
constexpr int kSlack = 3;

QString describe(const QWidget *w)
{
    return w->objectName().isEmpty() ? QLatin1String(w->metaObject()->className()) : w->objectName();
}

bool isInternalPart(const QWidget *w, const QWidget *top)
{
    // Scrolled contents and the parts of compound widgets are placed by Qt.
    for (const QWidget *p = w->parentWidget(); p && p != top; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea *>(p) || qobject_cast<const QComboBox *>(p) ||
            qobject_cast<const QAbstractSpinBox *>(p))
            return true;
    return false;
}

bool singleLine(const QString &text)
{
    return !text.isEmpty() && !text.contains(QLatin1Char('\n'));
}

QString visibleCaption(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->wordWrap() || label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text()))
            return QString();
        return label->text();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        QString text = button->text();
        text.remove(QLatin1Char('&'));
        return text;
    }
    return QString();
}

// What is cut in the window: children out of their parent, captions wider
// than their widget.
QStringList cutParts(QWidget *top)
{
    QStringList cuts;
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->isWindow() || isInternalPart(w, top))
            continue;
        const QWidget *parent = w->parentWidget();
        const QRect inside = parent->rect().adjusted(-kSlack, -kSlack, kSlack, kSlack);
        if (!inside.contains(w->geometry()))
            cuts << QStringLiteral("%1 (%2,%3 %4x%5) outside %6 (%7x%8)")
                        .arg(describe(w))
                        .arg(w->x())
                        .arg(w->y())
                        .arg(w->width())
                        .arg(w->height())
                        .arg(describe(parent))
                        .arg(parent->width())
                        .arg(parent->height());
        // A grid without scroll bars shows all its rows and columns.
        if (auto *grid = qobject_cast<QTableView *>(w); grid && grid->model()) {
            const int rows = grid->model()->rowCount();
            const int columns = grid->model()->columnCount();
            if (grid->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff && rows > 0 &&
                grid->rowViewportPosition(rows - 1) + grid->rowHeight(rows - 1) >
                    grid->viewport()->height() + kSlack)
                cuts << QStringLiteral("%1: the last row is out of sight").arg(describe(w));
            if (grid->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff && columns > 0 &&
                grid->columnViewportPosition(columns - 1) + grid->columnWidth(columns - 1) >
                    grid->viewport()->width() + kSlack)
                cuts << QStringLiteral("%1: the last column is out of sight").arg(describe(w));
        }
        // A line's letters fit the height of its edit box.
        if (const auto *edit = qobject_cast<const QLineEdit *>(w); edit && !isInternalPart(w, top)) {
            const QFontMetrics metrics(edit->font());
            const int room = edit->height() - 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
            if (metrics.ascent() + metrics.descent() > room + kSlack)
                cuts << QStringLiteral("%1: its letters are %2 px high, it has %3")
                            .arg(describe(w))
                            .arg(metrics.ascent() + metrics.descent())
                            .arg(room);
        }
        // A model line shows its beginning: that is where the learner starts.
        if (const auto *edit = qobject_cast<const QLineEdit *>(w);
            edit && edit->isReadOnly() && !edit->text().isEmpty()) {
            const QFontMetrics metrics(edit->font());
            const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() -
                              metrics.horizontalAdvance(edit->text().left(edit->cursorPosition()));
            if (start < edit->contentsRect().left() - kSlack)
                cuts << QStringLiteral("%1: the beginning of \"%2\" is out of view")
                            .arg(describe(w), edit->text());
        }
        const QString caption = visibleCaption(w);
        if (!singleLine(caption))
            continue;
        int room = w->contentsRect().width();
        if (const auto *button = qobject_cast<const QAbstractButton *>(w); button && !button->icon().isNull())
            room -= button->iconSize().width();
        // The keys of the keyboard picture narrow a caption down to half its
        // width to fit ("Num L").
        if (qobject_cast<const keyboard::KeyButton *>(w))
            room *= 2;
        const QFontMetrics metrics(w->font());
        const int needed = metrics.horizontalAdvance(caption);
        if (needed > room + kSlack)
            cuts << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                        .arg(describe(w), caption)
                        .arg(needed)
                        .arg(room);
        // Letters without their tops or tails: the glyphs' height, not the
        // line's leading, must fit.
        const int high = metrics.ascent() + metrics.descent();
        if (high > w->contentsRect().height() + kSlack)
            cuts << QStringLiteral("%1: \"%2\" is %3 px high, has %4")
                        .arg(describe(w), caption)
                        .arg(high)
                        .arg(w->contentsRect().height());
    }
    return cuts;
}

void save(const QPixmap &shot, const QDir &dir, const QString &name)
{
    QVERIFY(!shot.isNull());
    QVERIFY(shot.save(dir.filePath(name + QStringLiteral(".png"))));
}

} // namespace

void TestX11Scale::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server (run through scripts/xvfb.sh)");
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    m_screens.setPath(QCoreApplication::applicationDirPath());
    QVERIFY(m_screens.mkpath(QStringLiteral("scale-screens")));
    QVERIFY(m_screens.cd(QStringLiteral("scale-screens")));
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompts = std::make_unique<test::PrompterScope>();
    test::startProgram();
    QVERIFY(QTest::qWaitForWindowExposed(forms().MainForm));
    QTRY_VERIFY(forms().MainForm->windowState() & Qt::WindowMaximized);
    // Xvfb runs no window manager: place the maximized frame as one would.
    forms().MainForm->setGeometry(forms().MainForm->screen()->availableGeometry());
    // The guide's band comes a moment after the first paint and takes room
    // from the lesson area: the windows are measured once it is there.
    QTRY_VERIFY(!forms().MainForm->action(QStringLiteral("Guide1"))->isChecked() ||
                forms().MainForm->guideBand());
    QApplication::processEvents();
}

void TestX11Scale::cleanupTestCase()
{
    if (m_cwd)
        test::stopProgram();
    m_prompts.reset();
    m_cwd.reset();
}

void TestX11Scale::lessonWindowIsWhole_data()
{
    QTest::addColumn<int>("module");
    for (const LessonDef &row : lessonTable())
        QTest::newRow(row.family) << row.module;
}

void TestX11Scale::lessonWindowIsWhole()
{
    QFETCH(int, module);
    TMainForm *frame = forms().MainForm;
    LessonWindow *lesson = frame->lessonOfModule(module);
    QVERIFY(lesson);
    frame->showLesson(lesson);
    QTRY_COMPARE(frame->activeLesson(), lesson);
    QApplication::processEvents();

    // The frame fills the screen; a lesson window wider or higher than the
    // room left to it is reached by scrolling, never cut away.
    const QRect screen = frame->screen()->availableGeometry();
    QVERIFY2(screen.contains(frame->frameGeometry()),
             qPrintable(QStringLiteral("the frame %1,%2 %3x%4 is larger than the screen %5x%6, minimum %7x%8")
                            .arg(frame->x())
                            .arg(frame->y())
                            .arg(frame->width())
                            .arg(frame->height())
                            .arg(screen.width())
                            .arg(screen.height())
                            .arg(frame->minimumSizeHint().width())
                            .arg(frame->minimumSizeHint().height())));
    QMdiArea *area = frame->mdiArea;
    QMdiSubWindow *sub = frame->subWindowOf(lesson);
    const QSize room = area->viewport()->size();
    QScrollBar *across = area->horizontalScrollBar();
    QScrollBar *down = area->verticalScrollBar();
    if (sub->width() > room.width()) {
        QTRY_VERIFY2(across->isVisible(), "no horizontal scroll bar for a lesson wider than the frame");
        QVERIFY(across->maximum() >= sub->width() - room.width());
    }
    if (sub->height() > room.height()) {
        QTRY_VERIFY2(down->isVisible(), "no vertical scroll bar for a lesson higher than the frame");
        QVERIFY(down->maximum() >= sub->height() - room.height());
    }
    const QStringList cuts = cutParts(lesson);
    save(frame->grab(), m_screens, QStringLiteral("lesson-") + lesson->objectName());
    if (across->isVisible()) {
        across->setValue(across->maximum());
        QApplication::processEvents();
        QVERIFY(sub->geometry().right() <= area->viewport()->width() + kSlack);
        save(frame->grab(), m_screens,
             QStringLiteral("lesson-") + lesson->objectName() + QStringLiteral("-scrolled"));
        across->setValue(0);
    }
    QVERIFY2(cuts.isEmpty(), qPrintable(cuts.join(QStringLiteral("; "))));
}

void TestX11Scale::dialogIsWhole_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"TAboutBox", "TBlocnotes", "TCalendrier", "THorloge", "TPocket", "TCaract",
                             "TStats", "TProgression", "HelpViewer"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestX11Scale::dialogIsWhole()
{
    QFETCH(QString, name);
    auto *dialog = forms().MainForm->findChild<QDialog *>(name);
    // The program's own windows are built when first asked for; they shrink
    // to the screen.
    if (!dialog && name == QLatin1String("TProgression"))
        dialog = new TProgression(lessonFamilies(), forms().MainForm);
    else if (!dialog && name == QLatin1String("HelpViewer"))
        dialog = new HelpViewer(forms().MainForm);
    QVERIFY(dialog);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QApplication::processEvents();
    const QRect screen = dialog->screen()->availableGeometry();
    const QRect placed = dialog->frameGeometry();
    const QStringList cuts = cutParts(dialog);
    save(dialog->grab(), m_screens, QStringLiteral("dialog-") + name);
    dialog->hide();
    QVERIFY2(placed.width() <= screen.width() && placed.height() <= screen.height(),
             qPrintable(QStringLiteral("%1x%2 does not fit the %3x%4 screen")
                            .arg(placed.width())
                            .arg(placed.height())
                            .arg(screen.width())
                            .arg(screen.height())));
    QVERIFY2(cuts.isEmpty(), qPrintable(cuts.join(QStringLiteral("; "))));
}

// Menus that do not fit the narrower frame are behind the bar's ">>" button.
void TestX11Scale::everyMenuIsReachable()
{
    QMenuBar *bar = forms().MainForm->menuBar();
    auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
    const int edge = more && more->isVisible() ? more->x() : bar->width();
    int hidden = 0;
    for (QAction *menu : bar->actions()) {
        const QRect place = bar->actionGeometry(menu);
        if (place.isEmpty() || place.right() >= edge)
            ++hidden;
    }
    qInfo("%d of %d menus behind the extension button", hidden, int(bar->actions().size()));
    if (hidden > 0)
        QVERIFY(more && more->isVisible());
}

int main(int argc, char **argv)
{
    // Before the application exists: the factor is read once, at start.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi);
    TestX11Scale test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11_scale.moc"
