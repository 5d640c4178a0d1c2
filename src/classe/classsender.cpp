// The class client on its own thread.
#include "classe/classsender.h"

namespace classe {

ClassSender::ClassSender(ClassServer server, QObject *parent)
    : QObject(parent)
    , m_server(std::move(server))
    , m_context(std::make_unique<QObject>())
{
    qRegisterMetaType<classe::ClassLink>();
    qRegisterMetaType<classe::SendReport>();
    qRegisterMetaType<classe::Failure>();
    qRegisterMetaType<classe::ClassWork>();
    m_thread.setObjectName(QStringLiteral("classe"));
    m_context->moveToThread(&m_thread);
    m_thread.start();
}

ClassSender::~ClassSender()
{
    m_stopping = true;
    // The connection is closed on the thread that opened it.
    QMetaObject::invokeMethod(
        m_context.get(), [this] { m_client.reset(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

ClassClient &ClassSender::client()
{
    if (!m_client) {
        m_client = std::make_unique<ClassClient>(m_server);
        m_client->setAfterEachStored([this](const QString &uuid) { emit stored(uuid); });
    }
    return *m_client;
}

void ClassSender::join(const QString &classCode, const QString &personalCode)
{
    QMetaObject::invokeMethod(m_context.get(), [this, classCode, personalCode] {
        if (m_stopping)
            return;
        if (const auto link = client().join(classCode, personalCode))
            emit joined(*link);
        else
            emit joinFailed(client().failure(), client().message());
    });
}

void ClassSender::send(const ClassLink &link, const QList<progress::SessionRecord> &sessions)
{
    QMetaObject::invokeMethod(m_context.get(), [this, link, sessions] {
        if (!m_stopping)
            emit sent(client().send(link, sessions));
    });
}

void ClassSender::readWork(const ClassLink &link)
{
    QMetaObject::invokeMethod(m_context.get(), [this, link] {
        if (m_stopping)
            return;
        if (const auto work = client().work(link))
            emit workRead(*work);
        else
            emit workFailed(client().failure(), client().message());
    });
}

} // namespace classe
