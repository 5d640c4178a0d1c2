// The sessions of the linked learner on their way to the class: after each
// session's end, and again later while the server cannot be reached, those
// waiting in the journal go in the background through a ClassSender; what
// the server confirms is noted in the journal, so each is sent until it is
// held, and never again. The status bar's words follow.
#pragma once
#include "classe/pupillink.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace progress {
class Journal;
}

namespace classe {

class ClassSender;

class ClassOutbox final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClassOutbox)
public:
    // Sessions per send: a long offline week goes in several.
    static constexpr int kBatch = 50;
    static constexpr int kFirstRetryMs = 30 * 1000;
    static constexpr int kLastRetryMs = 5 * 60 * 1000;

    // journal: whose sessions are sent (progress::journal() in the program).
    explicit ClassOutbox(std::function<progress::Journal *()> journal, QObject *parent = nullptr);
    ~ClassOutbox() override;

    // Reads the current learner's link again (a join, a leave, another
    // learner) and sends what waits.
    void reload();
    // Sends what waits, unless a send is under way (then once more after it).
    void sendWaiting();

    const std::optional<KeptLink> &link() const { return m_link; }
    // Sessions not yet held by the server; -1 when the journal cannot say.
    int waiting() const { return m_waiting; }
    // The last try reached the server.
    bool online() const { return m_online; }
    bool sending() const { return m_sending; }
    // Why the last try failed, in French; empty after a success.
    const QString &message() const { return m_message; }
    // The status bar's words; empty without a link.
    QString statusText() const;
    // The next try by itself, while it is planned.
    const QTimer &retryTimer() const { return m_retry; }
    void retryNow() { m_retry.stop(), sendWaiting(); }

signals:
    void statusChanged();
    // The server no longer knows this computer's link.
    void linkCut();

private:
    void stored(const QString &uuid);
    void sent(const SendReport &report);
    void count();
    void planRetry();

    std::function<progress::Journal *()> m_journal;
    std::optional<KeptLink> m_link;
    std::unique_ptr<ClassSender> m_sender;
    ClassServer m_senderServer;
    // Whose sessions the send under way carries.
    qint64 m_batchLearner = 0;
    QString m_batchLink;
    QTimer m_retry;
    int m_retryMs = kFirstRetryMs;
    int m_waiting = 0;
    bool m_online = true;
    bool m_sending = false;
    bool m_again = false;
    bool m_reload = false;
    QString m_message;
};

} // namespace classe
