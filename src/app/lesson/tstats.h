// The statistics window: six figures computed from a lesson's counters.
#pragma once
#include <QDialog>

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

class TStats final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStats)
public:
    explicit TStats(QWidget *parent = nullptr);

    // Fills the six boxes; does not show the window.
    void Init(std::int32_t good, std::int32_t errors, std::int32_t seconds);
    void Button1Click();

    QFrame *Panel1;
    QPushButton *Button1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6;
};
