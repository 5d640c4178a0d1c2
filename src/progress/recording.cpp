// Session recording for the lesson windows: one journal, failures told once.
#include "progress/recording.h"

#include "progress/journal.h"
#include "ui/prompter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>

#include <memory>

namespace progress {

namespace {

struct State
{
    std::unique_ptr<Journal> journal;
    bool failureTold = false;
    bool setAsideTold = false;
    bool busyTold = false;
    std::function<void()> whenRecorded;
};

State &state()
{
    static State s;
    return s;
}

} // namespace

Journal *journal()
{
    return state().journal.get();
}

void useJournal(const QString &path)
{
    State &s = state();
    // Qt Sql's connections must close while the application object exists,
    // not among the static destructors after it.
    static const bool closesAtEnd = [] {
        qAddPostRoutine([] { state().journal.reset(); });
        return true;
    }();
    (void)closesAtEnd;
    s.journal.reset(path.isEmpty() ? nullptr : new Journal(path));
    s.failureTold = false;
    s.setAsideTold = false;
    s.busyTold = false;
}

void setWhenRecorded(std::function<void()> told)
{
    state().whenRecorded = std::move(told);
}

void recordSession(QWidget *parent, const SessionRecord &session)
{
    State &s = state();
    if (!s.journal)
        return;
    const bool ok = s.journal->record(session);
    if (!s.journal->setAside().isEmpty() && !s.setAsideTold) {
        s.setAsideTold = true;
        const QString text =
            QStringLiteral("L'historique de progression était endommagé\u00a0: il a été mis de côté "
                           "sous le nom «\u00a0%1\u00a0» et un nouvel historique commence.")
                .arg(QDir::toNativeSeparators(s.journal->setAside()));
        if (parent)
            ui::prompter().information(parent, text);
        else
            qWarning().noquote() << text;
    }
    if (ok) {
        if (s.whenRecorded)
            s.whenRecorded();
        return;
    }
    // Another program holding the file for longer than the wait is no
    // damage: the next session's end tries again.
    if (s.journal->busy()) {
        if (s.busyTold)
            return;
        s.busyTold = true;
        const QString text =
            QStringLiteral("L'historique est utilisé par un autre programme\u00a0; cette séance "
                           "n'y sera pas gardée.");
        if (parent)
            ui::prompter().information(parent, text);
        else
            qWarning().noquote() << text;
        return;
    }
    if (s.failureTold)
        return;
    s.failureTold = true;
    const QString text = s.journal->lastError() +
                         QStringLiteral(".\nLa leçon continue, mais ses séances ne seront pas gardées.");
    if (parent)
        ui::prompter().error(parent, text);
    else
        qWarning().noquote() << text;
}

} // namespace progress
