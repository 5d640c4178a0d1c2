// The learners window: who learns on this computer, with their last
// session, the exercises they passed and their time this week; a learner is
// added, renamed, removed or chosen here. And the question asked at
// start-up when there are several of them.
#pragma once
#include "progress/journal.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

class TApprenants final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TApprenants)
public:
    explicit TApprenants(QWidget *parent = nullptr);

    // Reads the learners of the journal again (null: none in use).
    void Init(progress::Journal *journal);
    // The learner of the selected row, 0 for none.
    qint64 selected() const;

    void AjouterApprenantClick();
    void RenommerApprenantClick();
    void RetirerApprenantClick();
    void ChangerApprenantClick();
    void ExporterApprenantClick();
    void ImporterApprenantClick();

    QTableWidget *ListeApprenants = nullptr;
    QLineEdit *NomApprenant = nullptr;
    QComboBox *NiveauApprenant = nullptr;
    QPushButton *AjouterApprenant = nullptr;
    QPushButton *RenommerApprenant = nullptr;
    QPushButton *RetirerApprenant = nullptr;
    QPushButton *ChangerApprenant = nullptr;
    QPushButton *ExporterApprenant = nullptr;
    QPushButton *ImporterApprenant = nullptr;

signals:
    // The learner chosen: the frame ends the sessions in progress for the
    // learner who typed them, then changes.
    void learnerChosen(qint64 id);

private:
    void fill(qint64 select);
    void showFailure();
    // Writes the learner's history to a file the learner names; false when
    // none was named or it could not be written (told).
    bool exportLearner(qint64 id);

    progress::Journal *m_journal = nullptr;
    QList<progress::Learner> m_learners;
};

// « Qui apprend ? »: the learners' names, the last one first and chosen,
// Entrée takes it.
class QuiApprend final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QuiApprend)
public:
    explicit QuiApprend(const QList<progress::Learner> &learners, QWidget *parent = nullptr);
    qint64 chosen() const;

    QListWidget *ListeNoms = nullptr;

private:
    QList<progress::Learner> m_learners;
};
