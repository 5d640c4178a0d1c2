// The frame's way into the teacher's « Classe » window: the teacher's role
// and password are asked each time, the connection is tried with a short
// timeout, and the window opens on their classes.
#include "app/lessontable.h"
#include "app/tmainform.h"
#include "classe/tclasse.h"
#include "ui/accessibility.h"
#include "ui/prompter.h"

#include <QApplication>
#include <QCursor>

void TMainForm::openClassWindow(const classe::ClassServer &server)
{
    if (auto *open = findChild<classe::TClasse *>(QStringLiteral("TClasse"), Qt::FindDirectChildrenOnly)) {
        open->raise();
        open->activateWindow();
        return;
    }
    classe::TeacherLogin login(server, this);
    if (ui::prompter().showModal(&login) != QDialog::Accepted || login.role().isEmpty())
        return;
    classe::ClassServer teacher = server;
    teacher.user = login.role();
    teacher.password = login.password();
    // The frame waits for this one answer only: a server that does not
    // answer is told within a few seconds.
    teacher.timeoutSeconds = qBound(1, server.timeoutSeconds, 5);
    auto client = std::make_unique<classe::TeacherClient>(teacher);
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const bool opened = client->open();
    QApplication::restoreOverrideCursor();
    if (!opened) {
        ui::prompter().error(this, client->message());
        return;
    }
    auto *window = new classe::TClasse(std::move(client), lessonFamilies(), this);
    window->setWindowFlag(Qt::Window);
    ui::applyAccessibleTexts(window, ui::accessibleTexts());
    window->refresh();
    window->show();
}
