// The progression window: the sessions of one lesson family on a chart and
// in a table, the characters most often missed, and the keyboard coloured by
// their error rate.
#pragma once
#include "progress/journal.h"
#include "progress/lessonfamily.h"

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
    // The family of the learner's own texts: text lessons of code 8.
    static constexpr int kOwnTexts = progress::kOwnTextsFamily;

    // families: the lesson families it offers, in the order of its list.
    explicit TProgression(QList<progress::LessonFamily> families, QWidget *parent = nullptr);

    // Reads the journal again (null: none in use). pending: sessions still in
    // progress, shown after the recorded ones.
    void Init(progress::Journal *journal, const QList<progress::SessionRecord> &pending = {});
    // Shows the family of a module code.
    void showModule(int module);
    int module() const;

    // "Exercices" for 2; "" for a module of no family.
    QString familyName(int module) const;
    // The lesson's name in its family ("1 Touches g h"); the family and the
    // code for a lesson the family does not name.
    QString lessonName(int module, std::int32_t lesson) const;
    // The lesson of a session as the table names it: a text of the
    // learner's own by its file ("Votre texte : lettre.txt").
    QString sessionName(const progress::SessionRecord &session) const;
    // True when the session belongs to family (a module code, or kOwnTexts).
    static bool inFamily(const progress::SessionRecord &session, int family);

    void ComboBox1Change();
    void Button2Click();  // Effacer l'historique...
    void Reviser1Click(); // Réviser ces caractères: closes, then asks for the review

signals:
    void reviewRequested();

public:
    QComboBox *ComboBox1 = nullptr;
    progress::ProgressChart *Chart1 = nullptr;
    // The exercises' path: each exercise, its best accuracy, and a mark when
    // a session reached the objective. Shown for the exercises only.
    QTableWidget *Parcours1 = nullptr;
    QTableWidget *StringGrid1 = nullptr; // recent sessions
    QTableWidget *StringGrid2 = nullptr; // most missed characters
    progress::KeyboardMap *Keyboard1 = nullptr;
    QLabel *Label4 = nullptr;        // what failed, if anything
    QPushButton *Button1 = nullptr;  // Fermer
    QPushButton *Button2 = nullptr;  // Effacer l'historique...
    QPushButton *Reviser1 = nullptr; // Réviser ces caractères

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refresh();
    void showPath(const QList<progress::SessionRecord> &sessions);

    QList<progress::LessonFamily> m_families;
    progress::Journal *m_journal = nullptr;
    QList<progress::SessionRecord> m_pending;
};
