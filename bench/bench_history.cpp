// Writes a long history into a progression journal, for bench/history.sh:
//   bench_history FILE [sessions] [learners]
// (default 100,000 sessions and 20 learners). The journal is created by the
// program's own code (its schema, its first learner, the others added by
// name); the sessions, spread over the last three years and over every
// learner, the first learner having as many as the others, are then
// written in one transaction, each with the characters it typed and a few
// confusions, as the exercises, phrases, texts and the review record them.
// The first learner is the one who learnt last. Prints what it wrote.
#include "progress/journal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <cstdio>

namespace {

bool exec(QSqlQuery &query)
{
    if (query.exec())
        return true;
    std::fprintf(stderr, "bench_history: %s\n", qPrintable(query.lastError().text()));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_history FILE [sessions] [learners]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int sessions = argc > 2 ? std::atoi(argv[2]) : 100000;
    const int learners = argc > 3 ? std::atoi(argv[3]) : 20;
    QFile::remove(path);
    QList<qint64> ids;
    {
        progress::Journal journal(path);
        const qint64 first = journal.currentLearner();
        if (first <= 0) {
            std::fprintf(stderr, "bench_history: %s\n", qPrintable(journal.lastError()));
            return 1;
        }
        ids << first;
        for (int i = 1; i < learners; ++i) {
            const qint64 id = journal.addLearner(QStringLiteral("Élève %1").arg(i + 1), i % 2);
            if (id <= 0) {
                std::fprintf(stderr, "bench_history: %s\n", qPrintable(journal.lastError()));
                return 1;
            }
            ids << id;
        }
        journal.setCurrentLearner(first);
    }
    QElapsedTimer clock;
    clock.start();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    db.setDatabaseName(path);
    if (!db.open() || !db.transaction()) {
        std::fprintf(stderr, "bench_history: %s\n", qPrintable(db.lastError().text()));
        return 1;
    }
    QSqlQuery session(db), key(db), confusion(db);
    session.prepare(QStringLiteral(
        "INSERT INTO session (start_ms, end_ms, module, lesson, good, errors, seconds, typing_ms, title,"
        " completed, learner, uuid) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    key.prepare(QStringLiteral(
        "INSERT INTO session_key (session, key, typed, missed, ms, timed) VALUES (?, ?, ?, ?, ?, ?)"));
    confusion.prepare(QStringLiteral(
        "INSERT INTO session_confusion (session, expected, pressed, count) VALUES (?, ?, ?, ?)"));
    QRandomGenerator random(45);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzéèàçù,.;'");
    const qint64 now = QDateTime::currentMSecsSinceEpoch() - 3600 * 1000;
    const qint64 span = qint64(3) * 365 * 24 * 3600 * 1000;
    qint64 keys = 0;
    for (int i = 0; i < sessions; ++i) {
        // Oldest first, as they were typed.
        const qint64 start = now - span + span * i / qMax(1, sessions);
        const int pick = random.bounded(100);
        // Exercises mostly, then phrases, texts and the review.
        int module = 2, lesson = 1 + random.bounded(30);
        if (pick >= 70 && pick < 82) {
            module = 3;
            lesson = 1 + random.bounded(10);
        } else if (pick >= 82 && pick < 92) {
            module = 4;
            lesson = 1 + random.bounded(20);
        } else if (pick >= 92) {
            lesson = 100;
        }
        const int errors = random.bounded(12);
        const int good = 150 + random.bounded(150);
        const int seconds = 60 + random.bounded(240);
        for (const QVariant &v :
             {QVariant(start), QVariant(start + seconds * 1000), QVariant(module), QVariant(lesson),
              QVariant(good), QVariant(errors), QVariant(seconds), QVariant(qint64(seconds) * 900),
              QVariant(QMetaType::fromType<QString>()), QVariant(random.bounded(4) != 0 ? 1 : 0),
              QVariant(ids[i % ids.size()]), QVariant(QUuid::createUuid().toString(QUuid::WithoutBraces))})
            session.addBindValue(v);
        if (!exec(session))
            return 1;
        const QVariant id = session.lastInsertId();
        const int first = random.bounded(int(letters.size()) - 8);
        for (int k = 0; k < 8; ++k, ++keys) {
            key.addBindValue(id);
            key.addBindValue(letters.mid(first + k, 1));
            key.addBindValue(good / 8);
            key.addBindValue(random.bounded(3));
            key.addBindValue(qint64(good / 8) * (200 + random.bounded(400)));
            key.addBindValue(good / 8 - 1);
            if (!exec(key))
                return 1;
        }
        for (int c = 0; c < 2; ++c) {
            confusion.addBindValue(id);
            confusion.addBindValue(letters.mid(first + c, 1));
            confusion.addBindValue(letters.mid(first + c + 1, 1));
            confusion.addBindValue(1 + random.bounded(3));
            if (!exec(confusion))
                return 1;
        }
    }
    if (!db.commit()) {
        std::fprintf(stderr, "bench_history: %s\n", qPrintable(db.lastError().text()));
        return 1;
    }
    std::printf("%d sessions, %lld characters, %d learners written in %lld ms, %lld bytes\n", sessions,
                keys, learners, clock.elapsed(), qint64(QFile(path).size()));
    return 0;
}
