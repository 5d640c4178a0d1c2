// What the current learner's class asks (its assignments, the lessons it
// hides), followed for the frame: the answer kept from the last read is
// applied at once, so that a computer offline still greys what the class
// hides, then the server is asked again in the background. The answer is
// kept per learner in the one settings file.
#pragma once
#include "classe/classclient.h"
#include "classe/classwork.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace classe {

class ClassSender;

class WorkFollower final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WorkFollower)
public:
    // apply: told each answer, the kept one first; an empty one without a
    // class.
    explicit WorkFollower(std::function<void(const ClassWork &)> apply, QObject *parent = nullptr);
    ~WorkFollower() override;

    // Reads the current learner's link again (a join, a leave, another
    // learner, the start): without a link, or with one the server cut,
    // nothing is kept and an empty answer is applied.
    void follow();

signals:
    // The server no longer knows the link: it is marked cut.
    void linkCut();
    // An answer came from the server, or could not (tests wait for it).
    void answered();

private:
    void read(const ClassWork &work);
    void failed(Failure failure);
    // The answer that came is for the current learner's link, not cut.
    bool forCurrentLink();

    std::function<void(const ClassWork &)> m_apply;
    std::unique_ptr<ClassSender> m_sender;
    QString m_server; // the sender's server, in one text
    // Answers of a sender given up are dropped.
    int m_generation = 0;
    QStringList m_asked; // the tokens of the reads under way, in order
};

} // namespace classe
