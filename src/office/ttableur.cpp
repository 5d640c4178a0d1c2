// TTableur: spreadsheet lesson window.
#include "office/ttableur.h"

#include "office/officetables.h"
#include "office/stringgrid.h"
#include "office/windowplace.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QShowEvent>
#include <QTableWidgetItem>
#include <QTimer>

#include <algorithm>

using office::GridCell;

namespace {
// The item view's text margins on both sides and the grid line.
constexpr int kCellMargins = 8;
} // namespace

TTableur::TTableur(QWidget *parent)
    : LessonWindow(QStringLiteral("TTableur"), 6, 8, parent)
{
    setWindowTitle(QStringLiteral("Tableur"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);
    resize(660, 343);
    // The grids wait until the window is first reached: the frame starts
    // with the keyboard window in front of this one.
    deferControls();
}

void TTableur::build()
{
    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(0, 0, 265, 24);
    m_edit1->setReadOnly(true);

    m_stringGrid1 = new office::StringGrid(this);
    m_stringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    m_stringGrid1->setGeometry(0, 24, 665, 145);
    m_stringGrid1->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    m_stringGrid1->selectCell = [this](GridCell to) { return StringGrid1SelectCell(to.col, to.row); };

    m_edit2 = new QLineEdit(this);
    m_edit2->setObjectName(QStringLiteral("Edit2"));
    m_edit2->setGeometry(0, 176, 265, 24);

    m_stringGrid2 = new office::StringGrid(this);
    m_stringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    m_stringGrid2->setGeometry(0, 200, 665, 145);
    m_stringGrid2->selectCell = [this](GridCell to) { return StringGrid2SelectCell(to.col, to.row); };
    m_stringGrid2->keyDown = [this](int vk) { StringGrid2KeyDown(vk); };
    m_stringGrid2->keyUp = [this](int vk) { StringGrid2KeyDown(vk); };
    m_stringGrid2->keyPress = [this](quint8 code) { return StringGrid2KeyPress(code); };
    m_stringGrid2->setEditorAlwaysShown(true);
    connect(m_stringGrid2, &QTableWidget::currentCellChanged, this, &LessonWindow::guideChanged);

    FormCreate();
    for (QWidget *control : {static_cast<QWidget *>(m_edit1), static_cast<QWidget *>(m_stringGrid1),
                             static_cast<QWidget *>(m_edit2), static_cast<QWidget *>(m_stringGrid2)})
        control->show();
    // The typing grid is the active control (showLesson gives it the focus,
    // or keeps it for the window's next showing); the chronometer stays
    // stopped until the learner starts it.
    showLesson();
}

void TTableur::FormCreate()
{
    for (int c = 1; c <= office::GridJudge::kColumns; ++c) {
        const QString heading = Rset(QString(QChar(64 + c)), 42);
        for (office::StringGrid *grid : {StringGrid1(), StringGrid2()})
            grid->setCell({c, 0}, heading);
    }
    for (office::StringGrid *grid : {StringGrid1(), StringGrid2()})
        for (int r = 1; r <= office::GridJudge::kRows; ++r)
            grid->setCell({0, r}, QString::number(r));
}

QString TTableur::Rset(const QString &text, int width) const
{
    // As many spaces as one at a time would add while the text still fits:
    // the first count at which it is wider than width - 10, at most 200 (the
    // bound only guards against a font whose space has no width). Each space
    // adds its advance, so the count is estimated from it, then checked and
    // stepped to that first count.
    constexpr int kMost = 200;
    const QFontMetrics metrics(font());
    const int limit = width - 10;
    const auto advance = [&](int spaces) {
        return metrics.horizontalAdvance(QString(spaces, QLatin1Char(' ')) + text);
    };
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    int count = space > 0 ? std::clamp((limit - advance(0)) / space + 1, 0, kMost) : kMost;
    while (count > 0 && advance(count - 1) > limit)
        --count;
    while (count < kMost && advance(count) <= limit)
        ++count;
    return QString(count, QLatin1Char(' ')) + text;
}

void TTableur::SetIni(std::int32_t code)
{
    LessonWindow::SetIni(code);
    // A new lesson starts on A1 with moves allowed, whatever the last
    // judgement was, and records A1 until the first key.
    m_judge.startLesson();
    syncCounts();
    if (controlsBuilt())
        showLesson();
    Timer1->stop(); // a new sheet is timed afresh
    m_seconds = 0;
    emit guideChanged();
}

void TTableur::showLesson()
{
    m_stringGrid1->clearData();
    m_stringGrid2->clearData();
    switch (m_code) {
    case 1: Bases(); break;
    case 2: Budget(); break;
    case 3: Repert(); break;
    case 4: Tarifs(); break;
    default: m_stringGrid2->moveTo({1, 1}); break;
    }
    focusEntry(m_stringGrid2);
}

void TTableur::loadLesson(int code)
{
    const auto &cells = office::kGridModel[code - 1];
    for (int r = 1; r <= office::GridJudge::kRows; ++r)
        for (int c = 1; c <= office::GridJudge::kColumns; ++c)
            showModelCell({c, r}, QString::fromUtf8(cells[r - 1][c - 1]));
    StringGrid2()->moveTo({1, 1});
}

// A model text wider than its column is drawn smaller rather than cut: the
// learner must read it whole to retype it, and the grid keeps its columns.
void TTableur::showModelCell(GridCell at, const QString &text)
{
    StringGrid1()->setCell(at, text);
    QTableWidgetItem *item = StringGrid1()->item(at.row - 1, at.col - 1);
    const int room = StringGrid1()->columnWidth(at.col - 1) - kCellMargins;
    QFont font = StringGrid1()->font();
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPixelSize(font.pixelSize() - 1);
    item->setFont(font);
}

void TTableur::Bases()
{
    loadLesson(1);
}
void TTableur::Budget()
{
    loadLesson(2);
}
void TTableur::Repert()
{
    loadLesson(3);
}
void TTableur::Tarifs()
{
    loadLesson(4);
}

void TTableur::syncCounts()
{
    m_good = m_judge.good();
    m_errors = m_judge.errors();
}

bool TTableur::StringGrid1SelectCell(int, int)
{
    // The model's entry bar shows the cell the learner is in, not the one
    // the model grid moves to.
    Edit1()->setText(StringGrid1()->cell(m_judge.recorded()));
    return true;
}

bool TTableur::StringGrid2SelectCell(int, int)
{
    Edit2()->setText(StringGrid2()->cell(m_judge.recorded()));
    return m_judge.moveAllowed();
}

void TTableur::StringGrid2KeyDown(int vk)
{
    const GridCell at = StringGrid2()->current();
    const QString typed = StringGrid2()->cell(at);
    switch (m_judge.keyEvent(vk, at, typed, StringGrid1()->cell(at))) {
    case office::GridJudge::Verdict::Good: noteJudged(std::int32_t(typed.size()), 0); break; // the whole cell
    case office::GridJudge::Verdict::Wrong: noteJudged(0, 1); break;
    case office::GridJudge::Verdict::NotJudged: break;
    }
    syncCounts();
    // The model's selection follows the learner.
    StringGrid1()->moveTo(at);
    emit guideChanged();
}

QString TTableur::guideExpected() const
{
    const GridCell at = StringGrid2()->current();
    const QLineEdit *editor = StringGrid2()->cellEditor();
    if (!office::GridJudge::isDataCell(at) || !editor)
        return QString();
    const QString model = StringGrid1()->cell(at);
    const int caret = editor->cursorPosition();
    if (caret < model.size())
        return model.mid(caret, 1);
    return caret == model.size() && !model.isEmpty() ? QStringLiteral("\t") : QString();
}

bool TTableur::StringGrid2KeyPress(quint8 code)
{
    switch (code) {
    case 3: Copier(); return true;
    case 22: Coller(); return true;
    case 24: Couper(); return true;
    default: return false;
    }
}

void TTableur::Copier()
{
    const GridCell at = m_judge.recorded();
    if (office::GridJudge::isDataCell(at))
        m_judge.copy(StringGrid2()->cell(at));
}

void TTableur::Couper()
{
    const GridCell at = m_judge.recorded();
    if (office::GridJudge::isDataCell(at))
        StringGrid2()->setCell(at, m_judge.cut(StringGrid2()->cell(at)));
}

void TTableur::Coller()
{
    const GridCell at = m_judge.recorded();
    if (office::GridJudge::isDataCell(at))
        StringGrid2()->setCell(at, m_judge.paste());
}

void TTableur::FormShow()
{
    m_judge.resetErrors();
    syncCounts();
}

void TTableur::FormResize()
{
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!sub)
        return;
    if (const QSize size = zoomed(QSize(668, 375)); sub->size() != size)
        sub->resize(size);
    const office::WindowPlace place = office::spreadsheetPlaceAfterResize({sub->x(), sub->y()});
    if (place.left != sub->x() || place.top != sub->y())
        sub->move(place.left, place.top);
}

void TTableur::FormKeyPress()
{
    StringGrid2()->setFocus();
}

void TTableur::showEvent(QShowEvent *event)
{
    LessonWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TTableur::resizeEvent(QResizeEvent *event)
{
    LessonWindow::resizeEvent(event);
    FormResize();
}

void TTableur::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty()) {
        FormKeyPress();
        event->accept();
        return;
    }
    LessonWindow::keyPressEvent(event);
}
