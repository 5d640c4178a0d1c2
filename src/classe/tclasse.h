// The teacher's « Classe » window: their classes, the grid of pupils ×
// exercises, adding and removing pupils, « Fin d'année », the grid's
// exports, and what the class asks (its objective, assignments, hidden
// lessons). Everything goes through the teacher's own connection.
#pragma once
#include "classe/teacherclient.h"
#include "progress/lessonfamily.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TProgression;

namespace classe {

// The teacher's role and password, asked each time (never kept). The
// warning says when the connection to another computer is not encrypted.
class TeacherLogin final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TeacherLogin)
public:
    explicit TeacherLogin(const ClassServer &server, QWidget *parent = nullptr);
    QString role() const;
    QString password() const;
};

class TClasse final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TClasse)
public:
    // client: open, logged in as the teacher; families name the exercises.
    TClasse(std::unique_ptr<TeacherClient> client, QList<progress::LessonFamily> families,
            QWidget *parent = nullptr);
    ~TClasse() override;

    // The clock the week is counted from (tests set their own).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    // Reads the teacher's classes and the grid again.
    void refresh();
    void showClass(qint64 classId);
    qint64 classId() const;
    const std::optional<ClassGrid> &grid() const { return m_grid; }
    QString exerciseLabel(const ExerciseKey &key) const;

    // Commands.
    void newClass();
    void addTypedPupils();
    void importPupils();
    // Creates the pupils and prints their cards at once: their codes are
    // never known again.
    void addPupils(const QStringList &names);
    void deleteSelectedPupil();
    // The selected pupil's sessions in the Progression window's charts.
    void showPupilProgression();
    TProgression *pupilProgression() const;
    void endOfYear();
    void exportCsv();
    void printGrid();
    // What the class asks (tclasse_consignes.cpp): each opens its dialog.
    void editObjective();
    void editAssignments();
    void editHiddenLessons();
    // An assignment as the list names it: « Exercices 1 à 6, 95 % et
    // 20 mots/min, avant le 18 décembre — toute la classe ».
    QString assignmentText(const Assignment &assignment, const QList<PupilEntry> &pupils) const;

private:
    void fillGrid();
    void tell(const QString &failureMessage);
    // The name of a lesson in its family's menu, without its "&".
    QString lessonCaption(const QString &module, const QString &lesson) const;

    std::unique_ptr<TeacherClient> m_client;
    QList<progress::LessonFamily> m_families;
    std::function<QDateTime()> m_now;
    QList<TeacherClass> m_classes;
    std::optional<ClassGrid> m_grid;
    QComboBox *m_classList = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_missed = nullptr;
    QTableWidget *m_table = nullptr;
    QPointer<TProgression> m_progression;
};

} // namespace classe
