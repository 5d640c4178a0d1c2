// TCalendrier: the desk calendar dialog, a month grid with a heading and
// buttons for the previous and the next month. It keeps its date while the
// program runs.
#pragma once
#include <QDialog>

class MonthCalendar;
class QFrame;
class QLabel;
class QPushButton;

class TCalendrier final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCalendrier)
public:
    explicit TCalendrier(QWidget *parent = nullptr);

    void FormActivate();
    void Calendar1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void Button1Click();
    // Key-down (virtual-key code) of the calendar and of the three buttons.
    void Calendar1KeyDown(int virtualKey);
    // A typed character (Windows-1252 code) of the calendar.
    void Calendar1KeyPress(quint8 code);

    QFrame *Panel1;
    QPushButton *Button1, *BitBtn1, *BitBtn2;
    QLabel *Label1;
    MonthCalendar *Calendar1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
