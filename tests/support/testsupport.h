// Shared test helpers: a scripted prompter, a temporary start folder, and
// the whole program created in-process.
#pragma once
#include "ui/prompter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class QWidget;
class QDialog;

namespace test {

// Answers message boxes and file dialogs from queues and records what was
// asked; modal dialogs are not run, onModal sees them instead.
class FakePrompter final : public ui::Prompter
{
public:
    QList<Answer> answers;    // next answers to askYesNoCancel (Cancel when empty)
    QStringList openNames;    // next open-dialog results (empty: cancelled)
    QStringList saveNames;    // next save-dialog results (empty: cancelled)
    QStringList questions;    // texts asked
    QStringList errors;       // error boxes shown
    QStringList informations; // information boxes shown
    QList<QDialog *> modals;  // dialogs shown modally
    int openDialogs = 0;
    int saveDialogs = 0;
    std::function<int(QDialog *)> onModal; // result of showModal (0 by default)
    QList<int> choices;                    // next answers to choose (-1, closed, when empty)
    QStringList choiceTexts;               // texts of the questions asked by choose
    QList<QStringList> choiceButtons;      // their buttons
    std::function<void()> beforeChoice;    // runs before each answer to choose
    QList<bool> confirmAnswers;            // next answers to confirm (refused when empty)
    QStringList confirmations;             // texts of confirm

    Answer askYesNoCancel(QWidget *, const QString &text) override;
    QString openFileName(QWidget *, const QString &, const QString &) override;
    QString saveFileName(QWidget *, const QString &, const QString &) override;
    void error(QWidget *, const QString &text) override;
    void information(QWidget *, const QString &text) override;
    int showModal(QDialog *dialog) override;
    int choose(QWidget *, const QString &text, const QStringList &buttons) override;
    bool confirm(QWidget *, const QString &text, const QString &) override;
};

// Installs a FakePrompter for the lifetime of the object.
class PrompterScope final
{
public:
    PrompterScope();
    ~PrompterScope();
    FakePrompter &fake() { return *m_fake; }

private:
    FakePrompter *m_fake;
    std::unique_ptr<ui::Prompter> m_previous;
};

// Makes a temporary folder the current folder for the lifetime of the object.
class TempCwd final
{
public:
    TempCwd();
    ~TempCwd();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Creates every window as the entry does and shows the frame (running its
// start-up sequence); the French locale and fonts are set up once.
void startProgram();
// Destroys every window.
void stopProgram();

// Real keys through the window system, in xdotool's words ("key", "keydown",
// "keyup", key names, "ctrl+c"): xdotool on X11, wtype under Wayland. The
// event loop runs meanwhile, as while a learner types.
bool sendKeys(const QStringList &xdotoolArgs);
// The same with a tool's own arguments.
bool runKeyTool(const QString &program, const QStringList &args);

} // namespace test
