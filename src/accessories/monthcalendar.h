// The calendar's month grid: short day names over six week rows, Sunday
// first, the days outside the month left empty; choosing a day cell makes it
// the date.
#pragma once
#include <QDate>
#include <QTableWidget>

class MonthCalendar final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MonthCalendar)
public:
    explicit MonthCalendar(QWidget *parent = nullptr);

    QDate date() const { return m_date; }
    void setDate(const QDate &date);
    void nextMonth();
    void previousMonth();

signals:
    // After every change of the date.
    void changed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fill();
    void cellChosen(int row, int column);

    QDate m_date;
    bool m_filling = false;
};
