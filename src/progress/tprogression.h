// The progression window: the sessions of one lesson family on a chart and
// in a table, the characters most often missed, and the keyboard coloured by
// their error rate.
#pragma once
#include "progress/journal.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace progress {
class KeyboardMap;
class ProgressChart;
} // namespace progress

class TProgression final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TProgression)
public:
    static constexpr int kRecentRows = 30;
    static constexpr int kChartPoints = 60;
    static constexpr int kMissedRows = 12;

    explicit TProgression(QWidget *parent = nullptr);

    // Reads the journal again (null: none in use). pending: sessions still in
    // progress, shown after the recorded ones.
    void Init(progress::Journal *journal, const QList<progress::SessionRecord> &pending = {});
    // Shows the family of a module code (1..7).
    void showModule(int module);
    int module() const;

    // "Exercices" for 2; "" outside 1..7.
    static QString familyName(int module);
    // The menu caption of a lesson without "&" ("1 Touches g h"); the family
    // and the code for a lesson no menu item offers.
    static QString lessonName(int module, std::int32_t lesson);

    void ComboBox1Change();
    void Button2Click();  // Effacer l'historique...
    void Reviser1Click(); // Réviser ces touches: closes, then asks for the review

signals:
    void reviewRequested();

public:
    QComboBox *ComboBox1 = nullptr;
    progress::ProgressChart *Chart1 = nullptr;
    QTableWidget *StringGrid1 = nullptr; // recent sessions
    QTableWidget *StringGrid2 = nullptr; // most missed characters
    progress::KeyboardMap *Keyboard1 = nullptr;
    QLabel *Label4 = nullptr;        // what failed, if anything
    QPushButton *Button1 = nullptr;  // Fermer
    QPushButton *Button2 = nullptr;  // Effacer l'historique...
    QPushButton *Reviser1 = nullptr; // Réviser ces touches

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refresh();

    progress::Journal *m_journal = nullptr;
    QList<progress::SessionRecord> m_pending;
};
