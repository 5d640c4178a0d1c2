// The month grid widget.
#include "accessories/monthcalendar.h"

#include "accessories/monthstep.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>

MonthCalendar::MonthCalendar(QWidget *parent)
    : QTableWidget(7, 7, parent)
    , m_date(QDate::currentDate())
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // The seven rows share the grid's height; the font's own minimum row
    // height would push a sixth week out of sight.
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    // Sunday first: the day names of Qt's days 7, 1, 2 ... 6.
    const QLocale locale;
    for (int column = 0; column < 7; ++column) {
        const int day = column == 0 ? 7 : column;
        auto *item = new QTableWidgetItem(locale.dayName(day, QLocale::ShortFormat));
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(Qt::ItemIsEnabled);
        setItem(0, column, item);
    }
    for (int row = 1; row < 7; ++row)
        for (int column = 0; column < 7; ++column) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            setItem(row, column, item);
        }
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { cellChosen(row, column); });
    fill();
}

void MonthCalendar::setDate(const QDate &date)
{
    if (!date.isValid() || date == m_date)
        return;
    m_date = date;
    fill();
    emit changed();
}

void MonthCalendar::nextMonth()
{
    setDate(MonthStep::next(m_date));
}

void MonthCalendar::previousMonth()
{
    setDate(MonthStep::previous(m_date));
}

void MonthCalendar::fill()
{
    m_filling = true;
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 7; ++column) {
            const int day = MonthStep::dayAt(m_date, row, column);
            QTableWidgetItem *cell = item(row + 1, column);
            cell->setText(day ? QString::number(day) : QString());
            cell->setFlags(day ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
        }
    setCurrentCell(MonthStep::rowOf(m_date) + 1, MonthStep::columnOf(m_date));
    m_filling = false;
}

void MonthCalendar::cellChosen(int row, int column)
{
    if (m_filling)
        return;
    const int day = row >= 1 ? MonthStep::dayAt(m_date, row - 1, column) : 0;
    if (day)
        setDate(QDate(m_date.year(), m_date.month(), day));
    else
        fill(); // the header and the empty cells cannot be chosen
}

void MonthCalendar::keyPressEvent(QKeyEvent *event)
{
    // The page keys step months (in the window); the grid does not page.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        event->ignore();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void MonthCalendar::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    const int w = viewport()->width();
    const int h = viewport()->height();
    for (int i = 0; i < 7; ++i) {
        setColumnWidth(i, w * (i + 1) / 7 - w * i / 7);
        setRowHeight(i, h * (i + 1) / 7 - h * i / 7);
    }
}
