// Shared test helpers.
#include "support/testsupport.h"

#include "app/forms.h"
#include "app/tmainform.h"
#include "ui/lockstate.h"
#include "ui/platform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>

namespace test {

ui::Prompter::Answer FakePrompter::askYesNoCancel(QWidget *, const QString &text)
{
    questions << text;
    return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
}

QString FakePrompter::openFileName(QWidget *, const QString &, const QString &)
{
    ++openDialogs;
    return openNames.isEmpty() ? QString() : openNames.takeFirst();
}

QString FakePrompter::saveFileName(QWidget *, const QString &, const QString &)
{
    ++saveDialogs;
    return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
}

void FakePrompter::error(QWidget *, const QString &text)
{
    errors << text;
}

void FakePrompter::information(QWidget *, const QString &text)
{
    informations << text;
}

int FakePrompter::showModal(QDialog *dialog)
{
    modals << dialog;
    return onModal ? onModal(dialog) : 0;
}

int FakePrompter::choose(QWidget *, const QString &text, const QStringList &buttons)
{
    choiceTexts << text;
    choiceButtons << buttons;
    if (beforeChoice)
        beforeChoice();
    return choices.isEmpty() ? -1 : choices.takeFirst();
}

bool FakePrompter::confirm(QWidget *, const QString &text, const QString &)
{
    confirmations << text;
    return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
}

PrompterScope::PrompterScope()
    : m_fake(new FakePrompter)
{
    m_previous = ui::setPrompter(std::unique_ptr<ui::Prompter>(m_fake));
}

PrompterScope::~PrompterScope()
{
    ui::setPrompter(std::move(m_previous));
}

TempCwd::TempCwd()
    : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

TempCwd::~TempCwd()
{
    QDir::setCurrent(m_previous);
}

void startProgram()
{
    static bool platformReady = false;
    if (!platformReady) {
        ui::setUpPlatform(*qApp);
        platformReady = true;
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        ui::setLockState(std::make_unique<ui::FakeLockState>());
    createForms();
    forms().MainForm->show();
}

void stopProgram()
{
    destroyForms();
}

} // namespace test
