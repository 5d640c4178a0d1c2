// The progression chart: keystrokes per minute and error percentage of each
// session, oldest on the left, painted in logical coordinates so that it is
// sharp at any scale factor.
#pragma once
#include "progress/sessiontally.h"

#include <QList>
#include <QWidget>

namespace progress {

class ProgressChart final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressChart)
public:
    explicit ProgressChart(QWidget *parent = nullptr);
    void setSessions(const QList<SessionRecord> &sessions);
    const QList<SessionRecord> &sessions() const { return m_sessions; }
    QSize sizeHint() const override { return {520, 200}; }
    // A graduation of an axis as a French reader writes it: "0,25", "2,5 %".
    static QString graduation(double value, bool percent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<SessionRecord> m_sessions;
};

// The small AZERTY keyboard, each key coloured from green to red by the
// error rate of the characters it types; grey where nothing was asked.
class KeyboardMap final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyboardMap)
public:
    explicit KeyboardMap(QWidget *parent = nullptr);
    // Error rate 0..1 per key of azertyKeys(); negative: no data.
    void setRates(const QList<double> &rates);
    const QList<double> &rates() const { return m_rates; }
    // The colour of a rate: green at 0, red from 30 % on.
    static QColor rateColor(double rate);
    QSize sizeHint() const override { return {360, 140}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<double> m_rates;
};

} // namespace progress
