// A string grid as the office lessons use it: 9 × 9 data cells under a
// heading row and beside a heading column, addressed by column and row as
// the headings name them (column 1 "A", row 1 "1"; 0 is the heading).
// Every move of the current cell — by key, by mouse or by the program —
// first asks selectCell, which may refuse it. The typing grid keeps its
// cell editor open on the current cell and reports the editor's keys.
#pragma once
#include "office/gridjudge.h"
#include "ui/keycodes.h"

#include <QPointer>
#include <QTableWidget>

#include <functional>

#include <QLineEdit>

namespace office {

class StringGrid final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StringGrid)
public:
    explicit StringGrid(QWidget *parent = nullptr);

    // Text of a cell; column 0 or row 0 is a heading.
    QString cell(GridCell at) const;
    void setCell(GridCell at, const QString &text);
    // Empties every data cell; the headings keep their labels.
    void clearData();

    GridCell current() const;
    // Moves the current cell, asking selectCell first; false when refused
    // or outside the data cells.
    bool moveTo(GridCell to);

    // Asked before every move of the current cell; true allows it.
    std::function<bool(GridCell to)> selectCell;

    // Typing grid: editing with the editor always shown on the current cell.
    void setEditorAlwaysShown(bool shown);
    QLineEdit *cellEditor() const { return m_editor; }

    // Keys of the cell editor. keyDown runs before the key acts (and before
    // Tab or an arrow moves the current cell), keyUp after; keyPress sees
    // each typed character and returns true to take it away from the editor.
    std::function<void(int vk)> keyDown;
    std::function<void(int vk)> keyUp;
    std::function<bool(quint8 code)> keyPress;

    // Used by the cell delegate.
    void editorCreated(QLineEdit *editor, const QModelIndex &index);
    bool editorEvent(QLineEdit *editor, QEvent *event);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    friend class AskingSelectionModel;
    bool askMove(const QModelIndex &to);
    void currentMoved(const QModelIndex &now, const QModelIndex &before);
    bool editorKeyPress(QLineEdit *editor, QKeyEvent *event);
    GridCell stepped(GridCell from, int vk, bool backwards) const;

    bool m_alwaysEdit = false;
    QPointer<QLineEdit> m_editor;
    ui::KeyTranslator m_keys;
};

} // namespace office
