// TCalendrier: the desk calendar dialog, a month grid with a heading and
// buttons for the previous and the next month. It keeps its date while the
// program runs. Its controls are built when first needed, on today's date.
#pragma once
#include "ui/deferreddialog.h"

class MonthCalendar;
class QFrame;
class QLabel;
class QPushButton;

class TCalendrier final : public ui::DeferredDialog
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

    QFrame *Panel1() { return built(m_panel1); }
    QPushButton *Button1() { return built(m_button1); }
    QPushButton *BitBtn1() { return built(m_bitBtn1); }
    QPushButton *BitBtn2() { return built(m_bitBtn2); }
    QLabel *Label1() { return built(m_label1); }
    MonthCalendar *Calendar1() { return built(m_calendar1); }


protected:
    void build() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QFrame *m_panel1 = nullptr;
    QPushButton *m_button1 = nullptr;
    QPushButton *m_bitBtn1 = nullptr;
    QPushButton *m_bitBtn2 = nullptr;
    QLabel *m_label1 = nullptr;
    MonthCalendar *m_calendar1 = nullptr;
};
