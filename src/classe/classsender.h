// The class client on a thread of its own, so that no send ever waits in
// the way of a key: calls are queued to the thread, answers come back as
// signals in the caller's thread.
#pragma once
#include "classe/classclient.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <memory>

namespace classe {

class ClassSender final : public QObject
{
    Q_OBJECT
public:
    explicit ClassSender(ClassServer server, QObject *parent = nullptr);
    // Waits for the send under way, if any; those queued after it are dropped
    // (they wait in the journal for the next run).
    ~ClassSender() override;
    Q_DISABLE_COPY_MOVE(ClassSender)

    void join(const QString &classCode, const QString &personalCode);
    void send(const classe::ClassLink &link, const QList<progress::SessionRecord> &sessions);
    // Reads what the class asks of the pupil (assignments, hidden lessons).
    void readWork(const classe::ClassLink &link);

signals:
    void joined(const classe::ClassLink &link);
    void joinFailed(classe::Failure failure, const QString &message);
    void stored(const QString &uuid);
    void sent(const classe::SendReport &report);
    void workRead(const classe::ClassWork &work);
    void workFailed(classe::Failure failure, const QString &message);

private:
    // The worker thread's own client and connection, made there.
    ClassClient &client();

    const ClassServer m_server;
    QThread m_thread;
    std::unique_ptr<QObject> m_context; // lives in m_thread: queued calls run there
    std::unique_ptr<ClassClient> m_client;
    std::atomic<bool> m_stopping{false};
};

} // namespace classe

Q_DECLARE_METATYPE(classe::ClassLink)
Q_DECLARE_METATYPE(classe::SendReport)
Q_DECLARE_METATYPE(classe::Failure)
Q_DECLARE_METATYPE(classe::ClassWork)
