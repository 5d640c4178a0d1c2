// The class link's outbox over the journal and a ClassSender.
#include "classe/classoutbox.h"

#include "classe/classsender.h"
#include "classe/classstatus.h"
#include "progress/journal.h"

namespace classe {

namespace {

bool sameServer(const ClassServer &a, const ClassServer &b)
{
    return a.host == b.host && a.port == b.port && a.database == b.database && a.user == b.user &&
           a.password == b.password && a.sslmode == b.sslmode;
}

} // namespace

ClassOutbox::ClassOutbox(std::function<progress::Journal *()> journal, QObject *parent)
    : QObject(parent)
    , m_journal(std::move(journal))
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &ClassOutbox::sendWaiting);
}

// A send under way is waited for (its sessions are noted if it ends in
// time); those not confirmed go at the next run.
ClassOutbox::~ClassOutbox() = default;

void ClassOutbox::reload()
{
    if (m_sending) {
        m_reload = true;
        return;
    }
    m_reload = false;
    m_link = keptLink();
    m_retry.stop();
    m_retryMs = kFirstRetryMs;
    m_online = true;
    m_message.clear();
    if (m_sender && (!m_link || !sameServer(m_senderServer, m_link->server)))
        m_sender.reset();
    count();
    emit statusChanged();
    sendWaiting();
}

void ClassOutbox::count()
{
    progress::Journal *journal = m_journal();
    if (!m_link || !journal) {
        m_waiting = 0;
        return;
    }
    const qint64 learner = journal->currentLearner();
    m_waiting = learner > 0 ? journal->waitingCount(learner, m_link->id, m_link->since) : -1;
}

void ClassOutbox::sendWaiting()
{
    if (!m_link || m_link->cut)
        return;
    if (m_sending) {
        m_again = true;
        return;
    }
    progress::Journal *journal = m_journal();
    const qint64 learner = journal ? journal->currentLearner() : 0;
    if (learner <= 0)
        return;
    const QList<progress::SessionRecord> batch =
        journal->waitingForClass(learner, m_link->id, m_link->since, kBatch);
    count();
    if (batch.isEmpty()) {
        m_retry.stop();
        emit statusChanged();
        return;
    }
    if (!m_sender) {
        m_sender = std::make_unique<ClassSender>(m_link->server);
        m_senderServer = m_link->server;
        connect(m_sender.get(), &ClassSender::stored, this, &ClassOutbox::stored);
        connect(m_sender.get(), &ClassSender::sent, this, &ClassOutbox::sent);
    }
    m_batchLearner = learner;
    m_batchLink = m_link->id;
    m_sending = true;
    m_again = false;
    m_sender->send(m_link->link(), batch);
}

void ClassOutbox::stored(const QString &uuid)
{
    // Noted as each one is held: a run ended in the middle of a batch sends
    // only the rest next time.
    if (progress::Journal *journal = m_journal())
        journal->markSentToClass(m_batchLearner, m_batchLink, {uuid});
    if (m_link && m_link->id == m_batchLink && m_waiting > 0) {
        --m_waiting;
        emit statusChanged();
    }
}

void ClassOutbox::sent(const SendReport &report)
{
    m_sending = false;
    progress::Journal *journal = m_journal();
    // Sessions the server can never take would otherwise wait for ever.
    if (journal)
        journal->markSentToClass(m_batchLearner, m_batchLink, report.skipped);
    const bool sameLink = m_link && m_link->id == m_batchLink;
    if (report.failure == Failure::Unlinked && sameLink) {
        markLinkCut();
        m_link->cut = true;
        m_retry.stop();
        m_message = report.message;
        emit linkCut();
    }
    if (m_reload) {
        reload();
        return;
    }
    const bool progressed = !report.stored.isEmpty() || !report.skipped.isEmpty();
    if (report.failure == Failure::None) {
        m_online = true;
        m_message.clear();
        m_retryMs = kFirstRetryMs;
        m_retry.stop();
    } else if (report.failure != Failure::Unlinked) {
        m_online = false;
        m_message = report.message;
        if (retryLater(report.failure))
            planRetry();
    }
    count();
    emit statusChanged();
    // The rest of a long wait, or a session ended meanwhile.
    if (report.failure == Failure::None && (m_again || (progressed && m_waiting > 0)))
        sendWaiting();
}

void ClassOutbox::planRetry()
{
    m_retry.start(m_retryMs);
    m_retryMs = qMin(m_retryMs * 2, kLastRetryMs);
}

QString ClassOutbox::statusText() const
{
    if (!m_link)
        return {};
    if (m_link->cut)
        return QStringLiteral("Classe %1\u00a0: ce poste n'y est plus relié").arg(m_link->className);
    return classe::statusText(m_link->className, qMax(0, m_waiting), m_online);
}

} // namespace classe
