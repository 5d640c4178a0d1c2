// The class's answer for the frame, kept between runs.
#include "classe/workfollower.h"

#include "classe/classsender.h"
#include "classe/pupillink.h"
#include "ui/settings.h"

namespace classe {

namespace {

// Under the link's own keys: leaving the class takes them with it.
const QString kAssignmentsKey = QStringLiteral("classe/lien/consignes");
const QString kHiddenKey = QStringLiteral("classe/lien/masquees");

QString serverText(const ClassServer &s)
{
    return QStringList{s.host, QString::number(s.port), s.database, s.user, s.password, s.sslmode}.join(
        QChar(u'\n'));
}

// « module;first;last;precision;speed;yyyy-MM-dd », the date maybe empty.
QStringList assignmentLines(const QList<Assignment> &assignments)
{
    QStringList lines;
    for (const Assignment &a : assignments)
        lines << QStringList{a.module,
                             a.firstLesson,
                             a.lastLesson,
                             QString::number(a.precision),
                             QString::number(a.speed),
                             a.due.toString(Qt::ISODate)}
                     .join(u';');
    return lines;
}

QList<Assignment> assignmentsFromLines(const QStringList &lines)
{
    QList<Assignment> assignments;
    for (const QString &line : lines) {
        const QStringList f = line.split(u';');
        if (f.size() != 6 || f[0].isEmpty() || f[1].isEmpty())
            continue;
        bool precision = false, speed = false;
        const Assignment a{0,
                           0,
                           f[0],
                           f[1],
                           f[2],
                           f[3].toDouble(&precision),
                           f[4].toInt(&speed),
                           QDate::fromString(f[5], Qt::ISODate)};
        if (precision && speed)
            assignments << a;
    }
    return assignments;
}

// « module:lesson ».
QStringList hiddenLines(const QList<HiddenLesson> &hidden)
{
    QStringList lines;
    for (const HiddenLesson &h : hidden)
        lines << h.module + u':' + h.lesson;
    return lines;
}

QList<HiddenLesson> hiddenFromLines(const QStringList &lines)
{
    QList<HiddenLesson> hidden;
    for (const QString &line : lines)
        if (line.count(u':') == 1)
            hidden << HiddenLesson{line.section(u':', 0, 0), line.section(u':', 1)};
    return hidden;
}

void forgetWork()
{
    const auto settings = ui::settings();
    settings->remove(ui::learnerKey(kAssignmentsKey));
    settings->remove(ui::learnerKey(kHiddenKey));
}

} // namespace

WorkFollower::WorkFollower(std::function<void(const ClassWork &)> apply, QObject *parent)
    : QObject(parent)
    , m_apply(std::move(apply))
{}

WorkFollower::~WorkFollower() = default;

void WorkFollower::follow()
{
    const auto link = keptLink();
    if (!link || link->cut) {
        m_apply({});
        return;
    }
    {
        const auto settings = ui::settings();
        m_apply({assignmentsFromLines(settings->value(ui::learnerKey(kAssignmentsKey)).toStringList()),
                 hiddenFromLines(settings->value(ui::learnerKey(kHiddenKey)).toStringList())});
    }
    if (!m_sender || m_server != serverText(link->server)) {
        // Another server: the reads asked of the last one no longer count.
        const int generation = ++m_generation;
        m_asked.clear();
        m_sender = std::make_unique<ClassSender>(link->server);
        m_server = serverText(link->server);
        connect(m_sender.get(), &ClassSender::workRead, this, [this, generation](const ClassWork &work) {
            if (generation == m_generation)
                read(work);
        });
        connect(m_sender.get(), &ClassSender::workFailed, this,
                [this, generation](Failure failure, const QString &) {
                    if (generation == m_generation)
                        failed(failure);
                });
    }
    m_asked << link->token;
    m_sender->readWork(link->link());
}

bool WorkFollower::forCurrentLink()
{
    const QString token = m_asked.isEmpty() ? QString() : m_asked.takeFirst();
    const auto link = keptLink();
    return link && !link->cut && link->token == token;
}

void WorkFollower::read(const ClassWork &work)
{
    // An answer for another learner, or a link left meanwhile, is dropped.
    if (forCurrentLink()) {
        const auto settings = ui::settings();
        settings->setValue(ui::learnerKey(kAssignmentsKey), assignmentLines(work.assignments));
        settings->setValue(ui::learnerKey(kHiddenKey), hiddenLines(work.hidden));
        m_apply(work);
    }
    emit answered();
}

void WorkFollower::failed(Failure failure)
{
    // Any other failure keeps the last answer: the class still hides what
    // it hid.
    if (forCurrentLink() && failure == Failure::Unlinked) {
        markLinkCut();
        forgetWork();
        m_apply({});
        emit linkCut();
    }
    emit answered();
}

} // namespace classe
