// « Épreuve chronométrée »: a text copied for 1, 3, 5 or 10 minutes, as an
// examiner would give it (no guide, no live figures, no red flash), then
// its result, the learner's best and previous ones, and an attestation to
// print. A test left before its end is kept as interrupted and never counts.
#pragma once
#include "drills/copytest.h"
#include "drills/placement.h"
#include "progress/sessiontally.h"

#include <QPair>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTextEdit;
class QTimer;

class TEpreuve final : public QWidget
{
    Q_OBJECT
public:
    explicit TEpreuve(QWidget *parent = nullptr);

    // The texts offered, by title; « Votre texte... » comes after them.
    void setTexts(const QList<QPair<QString, QString>> &texts);
    // The monotonic clock in milliseconds (tests drive it).
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    // Back to the choice of a test, its history read again.
    void showSetup();
    // The placement test instead: its text at once, for three minutes at
    // most, then where to start.
    void startPlacement();
    bool placementMode() const { return m_placementMode; }
    const drills::Placement &placement() const { return m_placement; }

    bool running() const { return m_running; }
    const drills::CopyScore &score() const { return m_score; }
    bool interrupted() const { return m_interrupted; }

    QStackedWidget *Pages;
    QComboBox *ComboDuree;
    QComboBox *ComboTexte;
    QCheckBox *CaseCorrections;
    QPushButton *BoutonCommencer;
    QListWidget *HistoriqueEpreuves;
    QLabel *LabelTemps;
    QTextEdit *ModeleEpreuve;
    QPlainTextEdit *SaisieEpreuve;
    QLabel *ResultatEpreuve;
    QTextEdit *ErreursEpreuve;
    QPushButton *BoutonAttestation;
    QPushButton *BoutonOuvrirLecon; // the lesson the placement test sends to
    QPushButton *BoutonRecommencer;
    QPushButton *BoutonFermer;
    QTimer *Timer1;

    void BoutonCommencerClick();
    void Timer1Timer();
    void BoutonAttestationClick();

signals:
    // The learner takes the placement test's advice.
    void placementChosen(int module, int lesson);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void startTest(const QString &title, const QString &text);
    void finish(bool interrupted);
    void showResult();
    void showTimeLeft(qint64 now);
    void countKey();
    QList<progress::SessionRecord> pastTests() const;

    QList<QPair<QString, QString>> m_texts;
    std::function<qint64()> m_clock;
    QString m_title;
    QString m_model;
    int m_minutes = 1;
    bool m_corrections = true;
    bool m_running = false;
    bool m_started = false; // the first key has been typed
    bool m_wasActive = false;
    bool m_interrupted = false;
    int m_keystrokes = 0;
    qint64 m_startMs = 0;
    qint64 m_lastKeyMs = 0;
    QDateTime m_startTime;
    drills::CopyScore m_score;
    progress::SessionRecord m_session;
    QString m_recordError;
    bool m_placementMode = false;
    drills::Placement m_placement;
};
