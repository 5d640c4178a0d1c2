// TSaisie: data-entry lesson window.
#include "office/tsaisie.h"

#include "office/officetables.h"
#include "ui/keycodes.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>

TSaisie::TSaisie(QWidget *parent)
    : LessonWindow(QStringLiteral("TSaisie"), 7, 9, parent)
{
    setWindowTitle(QStringLiteral("Saisie"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);
    resize(660, 343);

    GroupBox1 = new QGroupBox(QStringLiteral("Saisie"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(6, 0, 649, 169);
    createTimeDisplay(GroupBox1, QPoint(560, 12));
    // The forms wait until the window is first reached: the frame starts
    // with the keyboard window in front of this one.
    deferControls();
    // Timer1 stays disabled until the chronometer is started.
}

void TSaisie::build()
{
    buildForm(GroupBox1, m_modelLabels, m_models, 1, false);
    m_groupBox2 = new QGroupBox(QStringLiteral("Saisie"), this);
    m_groupBox2->setObjectName(QStringLiteral("GroupBox2"));
    m_groupBox2->setGeometry(6, 168, 649, 169);
    buildForm(m_groupBox2, m_entryLabels, m_entries, 6, true);
    for (int i = 0; i + 1 < 5; ++i)
        setTabOrder(m_entries[i], m_entries[i + 1]);
    for (QLineEdit *entry : m_entries) {
        connect(entry, &QLineEdit::cursorPositionChanged, this, &LessonWindow::guideChanged);
        connect(entry, &QLineEdit::textChanged, this, &LessonWindow::guideChanged);
    }
    for (int i = 0; i < 5; ++i) {
        m_modelLabels[i]->show();
        m_models[i]->show();
    }
    m_groupBox2->show();
    Panel2->raise();
    // The lesson the last SetIni chose, with the first entry field to type.
    showLesson(m_code);
    focusEntry(m_entries[0]);
}

void TSaisie::buildForm(QGroupBox *box, std::array<QLabel *, 5> &labels, std::array<QLineEdit *, 5> &edits,
                        int firstNumber, bool entry)
{
    for (int i = 0; i < 5; ++i) {
        auto *label = new QLabel(QStringLiteral("Label1"), box);
        label->setObjectName(QStringLiteral("Label%1").arg(firstNumber + i));
        label->setGeometry(16, 28 + 24 * i, 150, 16);
        labels[i] = label;

        auto *edit = new QLineEdit(box);
        edit->setObjectName(QStringLiteral("Edit%1").arg(firstNumber + i));
        edit->setGeometry(168, 24 + 24 * i, 233, 24);
        if (entry) {
            edit->installEventFilter(this);
        } else {
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::ClickFocus); // not a tab stop
        }
        edits[i] = edit;
    }
}

Qt::WindowFlags TSaisie::subWindowFlags() const
{
    // A fixed single border with its caption and no border icons.
    return Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

void TSaisie::SetIni(std::int32_t code)
{
    // Until the forms are built, one of the three lessons is only noted; a
    // code that keeps the forms as they are needs them now.
    if (code < 1 || code > 3)
        buildControls();
    LessonWindow::SetIni(code);
    m_pendingFocus = nullptr;
    m_check.startLesson();
    syncCounts();
    if (controlsBuilt()) {
        showLesson(code);
        focusEntry(m_entries[0]);
    }
    emit guideChanged();
}

QString TSaisie::guideExpected() const
{
    if (!controlsBuilt())
        return QString(); // no field has been reached yet
    const auto it = std::find(m_entries.begin(), m_entries.end(), focusWidget());
    if (it == m_entries.end())
        return QString();
    const QString model = m_models[std::size_t(it - m_entries.begin())]->text();
    const int caret = (*it)->cursorPosition();
    if (caret < model.size())
        return model.mid(caret, 1);
    return caret == model.size() ? QStringLiteral("\t") : QString();
}

void TSaisie::showLesson(int code)
{
    switch (code) {
    case 1: Bases(); break;
    case 2: Repertoire(); break;
    case 3: Stock(); break;
    default: break;
    }
}

void TSaisie::showLabels(int code)
{
    const office::FormLesson &lesson = office::kFormLessons[code - 1];
    for (int i = 0; i < 5; ++i) {
        const QString text = QString::fromUtf8(lesson.labels[i]);
        m_modelLabels[i]->setText(text);
        m_entryLabels[i]->setText(text);
    }
}

void TSaisie::emptyEntries()
{
    for (QLineEdit *entry : m_entries)
        entry->clear();
}

void TSaisie::Bases()
{
    if (m_check.recordNumber() == 1) {
        showLabels(1);
        for (int i = 0; i < 5; ++i)
            m_models[i]->setText(QString::fromUtf8(office::kFormLessons[0].records[0][i]));
        emptyEntries();
    }
    m_check.setRecordCount(office::kFormLessons[0].recordCount);
}

void TSaisie::showRecords(int code)
{
    const office::FormLesson &lesson = office::kFormLessons[code - 1];
    showLabels(code);
    emptyEntries();
    const std::int32_t record = m_check.recordNumber();
    if (record >= 1 && record <= lesson.recordCount)
        for (int i = 0; i < 5; ++i)
            m_models[i]->setText(QString::fromUtf8(lesson.records[record - 1][i]));
    m_check.setRecordCount(lesson.recordCount);
    focusEntry(Edit6());
}

void TSaisie::Repertoire()
{
    showRecords(2);
}

void TSaisie::Stock()
{
    showRecords(3);
}

void TSaisie::syncCounts()
{
    m_good = m_check.good();
    m_errors = m_check.errors();
}

// ---- leaving a field -------------------------------------------------------

bool TSaisie::eventFilter(QObject *watched, QEvent *event)
{
    const auto it = std::find(m_entries.begin(), m_entries.end(), watched);
    if (it == m_entries.end())
        return LessonWindow::eventFilter(watched, event);
    const int row = int(it - m_entries.begin()) + 1;
    if (event->type() == QEvent::FocusIn) {
        emit guideChanged();
    } else if (event->type() == QEvent::FocusOut) {
        fieldLeft(row);
    } else if (event->type() == QEvent::KeyPress && watched == m_entries[4]) {
        const int vk = ui::virtualKeyOf(static_cast<QKeyEvent *>(event));
        FormKeyDown(vk);
        // The page keys belong to the form, not to the field.
        if (vk == ui::vk::Prior || vk == ui::vk::Next)
            return true;
    }
    return LessonWindow::eventFilter(watched, event);
}

void TSaisie::fieldLeft(int row)
{
    // Only a move of the focus to another widget of this window leaves the
    // field: not a menu, another window, nor the return of the focus to a
    // wrong field (which passes through the field it had gone to).
    if (m_returningFocus || m_pendingFocus)
        return;
    QWidget *next = QApplication::focusWidget();
    QLineEdit *field = m_entries[row - 1];
    if (!next || next == field || !isAncestorOf(next))
        return;
    fieldExit(row);
}

void TSaisie::fieldExit(int row)
{
    QLineEdit *field = m_entries[row - 1];
    const QString entry = field->text();
    const office::FormCheck::Exit exit = m_check.fieldExit(row, entry, m_models[row - 1]->text());
    switch (exit) {
    case office::FormCheck::Exit::Leave: break;
    case office::FormCheck::Exit::StayHere: takeFocus(field); break;
    case office::FormCheck::Exit::GoToFirst: takeFocus(Edit6()); break;
    }
    // A refused field is one error, a right one counts its length; an empty
    // one is not judged.
    if (exit == office::FormCheck::Exit::StayHere)
        noteJudged(0, 1);
    else if (!entry.isEmpty())
        noteJudged(std::int32_t(entry.size()), 0);
    syncCounts();
}

void TSaisie::takeFocus(QLineEdit *field)
{
    // Called from the exit of a field, while the focus is still on its way
    // to the next widget: the focus comes back once that move is over.
    m_pendingFocus = field;
    QTimer::singleShot(0, this, [this] {
        QLineEdit *target = m_pendingFocus;
        m_pendingFocus = nullptr;
        if (!target)
            return;
        m_returningFocus = true;
        target->setFocus(Qt::OtherFocusReason);
        m_returningFocus = false;
    });
}

bool TSaisie::focusNextPrevChild(bool next)
{
    // Tab and Shift+Tab go round the five entry fields.
    const auto it = std::find(m_entries.begin(), m_entries.end(), QApplication::focusWidget());
    if (!controlsBuilt() || it == m_entries.end())
        return LessonWindow::focusNextPrevChild(next);
    const int i = int(it - m_entries.begin());
    m_entries[(i + (next ? 1 : 4)) % 5]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// ---- records -----------------------------------------------------------------

void TSaisie::FormKeyDown(int vk)
{
    if (!m_check.recordKey(vk, Edit10()->text(), Edit5()->text()))
        return;
    noteJudged(std::int32_t(Edit10()->text().size()), 0); // the last field, left right
    syncCounts();
    m_pendingFocus = nullptr;
    showLesson(m_code);
    Edit6()->setFocus();
}

void TSaisie::keyPressEvent(QKeyEvent *event)
{
    // Keys of the window itself, when no field holds the focus; keys that a
    // field leaves unused are not the window's.
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus == this) {
        FormKeyDown(ui::virtualKeyOf(event));
        event->accept();
        return;
    }
    LessonWindow::keyPressEvent(event);
}

// ---- window --------------------------------------------------------------------

QWidget *TSaisie::placeHolder()
{
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    return sub ? static_cast<QWidget *>(sub) : this;
}

void TSaisie::FormShow()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        const office::WindowPlace place = office::entryFormPlaceOnShow({sub->x(), sub->y()});
        if (place.left != sub->x() || place.top != sub->y())
            sub->move(place.left, place.top);
    }
    m_check.resetErrors();
    syncCounts();
}

void TSaisie::FormResize()
{
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (const QSize size = zoomed(QSize(668, 375)); sub && sub->size() != size)
        sub->resize(size);
}

void TSaisie::FormClick()
{
    const QWidget *holder = placeHolder();
    setWindowTitle(office::placeCaption({holder->x(), holder->y()}));
}

void TSaisie::showEvent(QShowEvent *event)
{
    LessonWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TSaisie::resizeEvent(QResizeEvent *event)
{
    LessonWindow::resizeEvent(event);
    FormResize();
}

void TSaisie::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && !childAt(at)) {
        event->accept();
        return;
    }
    LessonWindow::mousePressEvent(event);
}

void TSaisie::mouseReleaseEvent(QMouseEvent *event)
{
    // Only a click on the free surface, not one that a group box let pass.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && rect().contains(at) && !childAt(at)) {
        FormClick();
        event->accept();
        return;
    }
    LessonWindow::mouseReleaseEvent(event);
}
