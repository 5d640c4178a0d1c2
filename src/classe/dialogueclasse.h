// Options › Classe: the pupil joins their class once on this computer (the
// server's settings, the class code and their personal code), sees the link
// afterwards and may leave it; a teacher goes on to their own login from
// here. The join runs on a thread of its own: the dialog never waits.
#pragma once
#include "classe/pupillink.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace classe {

class ClassSender;

class DialogueClasse final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DialogueClasse)
public:
    // Shows the current learner's link (pupillink.h), or the fields to join.
    explicit DialogueClasse(QWidget *parent = nullptr);
    ~DialogueClasse() override;

    // The time a join is kept from (tests set their own).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

    // The server as the fields say now.
    ClassServer server() const;
    // « Se connecter comme enseignant » closed the dialog: the frame opens
    // the teacher's login with server().
    bool teacherAsked() const { return m_teacherAsked; }
    // A join is under way.
    bool joining() const { return m_sender != nullptr; }

    // Commands.
    void Rejoindre1Click();
    void Quitterlaclasse1Click();
    void Enseignant1Click();

signals:
    // The learner's link was kept, cut or forgotten.
    void linkChanged();

private:
    void showLink();
    void showWarning();
    void joined(const ClassLink &link);
    void joinFailed(const QString &message);
    void dropSender(bool answered);

    std::function<QDateTime()> m_now;
    std::optional<KeptLink> m_link;
    ClassSender *m_sender = nullptr; // while a join is under way
    ClassServer m_joinServer;
    bool m_teacherAsked = false;
    QLineEdit *m_host = nullptr;
    QSpinBox *m_port = nullptr;
    QLineEdit *m_database = nullptr;
    QComboBox *m_sslmode = nullptr;
    QLineEdit *m_role = nullptr;
    QLineEdit *m_password = nullptr;
    QLabel *m_warning = nullptr;
    QGroupBox *m_joinBox = nullptr;
    QLineEdit *m_classCode = nullptr;
    QLineEdit *m_personalCode = nullptr;
    QPushButton *m_join = nullptr;
    QLabel *m_message = nullptr;
    QGroupBox *m_linkBox = nullptr;
    QLabel *m_linkText = nullptr;
};

} // namespace classe
