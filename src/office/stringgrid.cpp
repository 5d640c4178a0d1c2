// String grid of the office lessons: asked moves, always-open cell editor.
#include "office/stringgrid.h"

#include "ui/hooklineedit.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace office {

namespace {

constexpr int kColumnWidth = 64;
constexpr int kHeadingWidth = 52;
constexpr int kRowHeight = 24;

QModelIndex indexOf(const QAbstractItemModel *model, GridCell at)
{
    return model->index(at.row - 1, at.col - 1);
}

// The cell editor: a line edit whose text is the cell's text at every
// keystroke, and whose keys go to the grid before the editor sees them.
class CellDelegate final : public QStyledItemDelegate
{
public:
    explicit CellDelegate(StringGrid *grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &index) const override
    {
        auto *editor = new ui::HookLineEdit(parent);
        // The cells never reach the system clipboard through the editor.
        editor->setJudgedInput(true);
        editor->setFrame(false);
        m_grid->editorCreated(editor, index);
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *line = static_cast<QLineEdit *>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (line->text() != text) // keeps the caret while typing
            line->setText(text);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        const QString text = static_cast<QLineEdit *>(editor)->text();
        if (index.data(Qt::EditRole).toString() != text)
            model->setData(index, text, Qt::EditRole);
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QLineEdit *>(object);
        return editor && m_grid->editorEvent(editor, event);
    }

private:
    StringGrid *m_grid;
};

} // namespace

// Asks the grid before the current cell moves, whatever moves it.
class AskingSelectionModel final : public QItemSelectionModel
{
public:
    AskingSelectionModel(QAbstractItemModel *model, StringGrid *grid)
        : QItemSelectionModel(model, grid)
        , m_grid(grid)
    {}

    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override
    {
        if (index.isValid() && index != currentIndex() && !m_grid->askMove(index))
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    StringGrid *m_grid;
};

StringGrid::StringGrid(QWidget *parent)
    : QTableWidget(GridJudge::kRows, GridJudge::kColumns, parent)
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            setItem(r, c, new QTableWidgetItem);
    for (int c = 0; c < columnCount(); ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem);
    for (int r = 0; r < rowCount(); ++r)
        setVerticalHeaderItem(r, new QTableWidgetItem);

    QHeaderView *top = horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setDefaultSectionSize(kColumnWidth);
    top->setFixedHeight(kRowHeight);
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    top->setSectionsClickable(false);
    top->setHighlightSections(false);
    QHeaderView *side = verticalHeader();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setMinimumSectionSize(kRowHeight);
    side->setDefaultSectionSize(kRowHeight);
    side->setFixedWidth(kHeadingWidth);
    side->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    side->setSectionsClickable(false);
    side->setHighlightSections(false);

    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone); // a long text is cut at the cell's edge
    setCornerButtonEnabled(false);

    QItemSelectionModel *old = selectionModel();
    setSelectionModel(new AskingSelectionModel(model(), this));
    delete old;
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &StringGrid::currentMoved);
    // Both grids start on A1, as a sheet does.
    selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::ClearAndSelect);
}

QString StringGrid::cell(GridCell at) const
{
    if (at.row == 0 && at.col >= 1 && at.col <= columnCount())
        return horizontalHeaderItem(at.col - 1)->text();
    if (at.col == 0 && at.row >= 1 && at.row <= rowCount())
        return verticalHeaderItem(at.row - 1)->text();
    if (!GridJudge::isDataCell(at))
        return QString();
    return item(at.row - 1, at.col - 1)->text();
}

void StringGrid::setCell(GridCell at, const QString &text)
{
    if (at.row == 0 && at.col >= 1 && at.col <= columnCount())
        horizontalHeaderItem(at.col - 1)->setText(text);
    else if (at.col == 0 && at.row >= 1 && at.row <= rowCount())
        verticalHeaderItem(at.row - 1)->setText(text);
    else if (GridJudge::isDataCell(at))
        item(at.row - 1, at.col - 1)->setText(text);
}

void StringGrid::clearData()
{
    for (int r = 1; r <= rowCount(); ++r)
        for (int c = 1; c <= columnCount(); ++c)
            setCell({c, r}, QString());
}

GridCell StringGrid::current() const
{
    const QModelIndex now = currentIndex();
    if (!now.isValid())
        return {};
    return {now.column() + 1, now.row() + 1};
}

bool StringGrid::moveTo(GridCell to)
{
    if (!GridJudge::isDataCell(to))
        return false;
    const QModelIndex index = indexOf(model(), to);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    return currentIndex() == index;
}

// The table view tells screen readers that the new current cell has the
// focus even when the focus is elsewhere: a grid set up behind the window
// in front would pull the reader away from where the learner types.
void StringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (isAncestorOf(QApplication::focusWidget())) // the grid itself, or its cell editor
        QTableWidget::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous); // NOLINT(bugprone-parent-virtual-call)
}

bool StringGrid::askMove(const QModelIndex &to)
{
    return !selectCell || selectCell({to.column() + 1, to.row() + 1});
}

void StringGrid::mousePressEvent(QMouseEvent *event)
{
    // A refused move refuses the whole click: neither the current cell nor
    // the selection changes.
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && at != currentIndex() && !askMove(at)) {
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The editor is already open; a double click only selects, as a press.
    mousePressEvent(event);
}

void StringGrid::setEditorAlwaysShown(bool shown)
{
    m_alwaysEdit = shown;
    if (shown) {
        setItemDelegate(new CellDelegate(this));
        currentMoved(currentIndex(), QModelIndex());
    }
}

void StringGrid::editorCreated(QLineEdit *editor, const QModelIndex &index)
{
    editor->setObjectName(QStringLiteral("InplaceEdit"));
    // The cell follows the editor at every keystroke, so whoever reads the
    // cell reads what is typed so far.
    const QPersistentModelIndex cellIndex(index);
    connect(editor, &QLineEdit::textChanged, this, [this, cellIndex](const QString &text) {
        if (cellIndex.isValid() && cellIndex.data(Qt::EditRole).toString() != text)
            model()->setData(cellIndex, text, Qt::EditRole);
    });
}

void StringGrid::currentMoved(const QModelIndex &now, const QModelIndex &before)
{
    if (!m_alwaysEdit)
        return;
    QLineEdit *old = m_editor;
    const bool hadFocus = old && old->hasFocus();
    if (now.isValid()) {
        QTableWidgetItem *cellItem = item(now.row(), now.column());
        openPersistentEditor(cellItem);
        m_editor = qobject_cast<QLineEdit *>(indexWidget(now));
        if (m_editor) {
            m_editor->selectAll();
            setFocusProxy(m_editor);
            // The new editor takes the focus before the old one goes, so the
            // focus never wanders out of the grid.
            if (hadFocus)
                m_editor->setFocus(Qt::OtherFocusReason);
        }
    } else {
        setFocusProxy(nullptr);
        m_editor = nullptr;
    }
    if (before.isValid() && before != now)
        closePersistentEditor(item(before.row(), before.column()));
}

bool StringGrid::editorEvent(QLineEdit *editor, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: return editorKeyPress(editor, static_cast<QKeyEvent *>(event));
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat() && keyUp)
            keyUp(m_keys.keyUp(key));
        return false;
    }
    default:
        // Focus changes neither commit nor close: the cell already holds the
        // text and the editor stays open.
        return false;
    }
}

GridCell StringGrid::stepped(GridCell from, int vk, bool backwards) const
{
    GridCell to = from;
    switch (vk) {
    case ui::vk::Tab:
        if (backwards) {
            if (--to.col < 1) {
                to.col = columnCount();
                --to.row;
            }
        } else if (++to.col > columnCount()) {
            to.col = 1;
            ++to.row;
        }
        break;
    case ui::vk::Left: --to.col; break;
    case ui::vk::Right: ++to.col; break;
    case ui::vk::Up: --to.row; break;
    case ui::vk::Down: ++to.row; break;
    case ui::vk::Home: to.col = 1; break;
    case ui::vk::End: to.col = columnCount(); break;
    case ui::vk::Prior:
    case ui::vk::Next: {
        const int page = qMax(1, viewport()->height() / kRowHeight - 1);
        to.row += vk == ui::vk::Next ? page : -page;
        to.row = qBound(1, to.row, rowCount());
        break;
    }
    default: break;
    }
    return to;
}

bool StringGrid::editorKeyPress(QLineEdit *editor, QKeyEvent *event)
{
    const int vk = m_keys.keyDown(event);
    if (keyDown)
        keyDown(vk);
    if (keyPress) {
        bool taken = false;
        for (quint8 code : ui::charCodesOf(event))
            taken = keyPress(code) || taken;
        if (taken)
            return true;
    }
    // The other clipboard keys of the editor (Shift+Insert...) do nothing.
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Paste))
        return true;

    // Left and Right, Home and End move the caret inside the text and leave
    // the cell only from its edge (or when the whole text is selected); Home
    // and End then go to the first or last cell of the row.
    const int length = int(editor->text().size());
    const int start = editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
    const int end = editor->hasSelectedText() ? editor->selectionEnd() : start;
    const bool leftSide = start == 0 && (end == 0 || end == length);
    const bool rightSide = (start == 0 || end == start) && end == length;

    const bool backwards = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    switch (vk) {
    case ui::vk::Tab:
    case ui::vk::Up:
    case ui::vk::Down:
    case ui::vk::Prior:
    case ui::vk::Next: break;
    case ui::vk::Left:
    case ui::vk::Home:
        if (!leftSide)
            return false;
        break;
    case ui::vk::Right:
    case ui::vk::End:
        if (!rightSide)
            return false;
        break;
    case ui::vk::Return:
    case ui::vk::Escape: return true; // the editor stays open as it is
    default: return false;
    }
    const GridCell from = current();
    const GridCell to = stepped(from, vk, backwards);
    if (to != from)
        moveTo(to);
    return true;
}

} // namespace office
