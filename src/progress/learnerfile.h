// One learner's whole history in one file, to carry it to another computer:
// JSON, with the learner and each session under its unique id, so that a
// file imported twice adds nothing the second time.
#pragma once
#include "progress/journal.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace progress {

struct LearnerFile
{
    static constexpr int kVersion = 1;
    // A history of a few years is a few megabytes; anything much larger is
    // something else.
    static constexpr qint64 kMaxBytes = 64 * 1024 * 1024;

    Learner learner; // uuid, name and level
    QList<SessionRecord> sessions;

    QByteArray serialize() const;
    // The file's content, or nothing with the reason in French in *error: not
    // JSON, not a learner's file, from a newer Tapivox, or a value out of
    // place.
    static std::optional<LearnerFile> parse(const QByteArray &bytes, QString *error);
};

} // namespace progress
