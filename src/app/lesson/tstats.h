// The statistics window: six figures computed from a lesson's counters. Its
// controls are built when first needed.
#pragma once
#include "ui/deferreddialog.h"

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;

// The six figures as texts, in display order: total keystrokes, errors,
// error percentage, keystrokes per minute, words per minute, duration.
struct StatFigures
{
    QString total, errors, percent, perMinute, wordsPerMinute, duration;
    static StatFigures compute(std::int32_t good, std::int32_t errors, std::int32_t seconds);
};

class TStats final : public ui::DeferredDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStats)
public:
    explicit TStats(QWidget *parent = nullptr);

    // Fills the six boxes; does not show the window.
    void Init(std::int32_t good, std::int32_t errors, std::int32_t seconds);
    void Button1Click();

    QFrame *Panel1() { return built(m_panel1); }
    QPushButton *Button1() { return built(m_button1); }
    QLabel *Label1() { return built(m_label1); }
    QLabel *Label2() { return built(m_label2); }
    QLabel *Label3() { return built(m_label3); }
    QLabel *Label4() { return built(m_label4); }
    QLabel *Label5() { return built(m_label5); }
    QLabel *Label6() { return built(m_label6); }
    QLineEdit *Edit1() { return built(m_edit1); }
    QLineEdit *Edit2() { return built(m_edit2); }
    QLineEdit *Edit3() { return built(m_edit3); }
    QLineEdit *Edit4() { return built(m_edit4); }
    QLineEdit *Edit5() { return built(m_edit5); }
    QLineEdit *Edit6() { return built(m_edit6); }


protected:
    void build() override;

private:
    QFrame *m_panel1 = nullptr;
    QPushButton *m_button1 = nullptr;
    QLabel *m_label1 = nullptr, *m_label2 = nullptr, *m_label3 = nullptr, *m_label4 = nullptr, *m_label5 = nullptr, *m_label6 = nullptr;
    QLineEdit *m_edit1 = nullptr, *m_edit2 = nullptr, *m_edit3 = nullptr, *m_edit4 = nullptr, *m_edit5 = nullptr, *m_edit6 = nullptr;
};
