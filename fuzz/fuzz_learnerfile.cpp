// libFuzzer target: the reader of a learner's exported history takes any
// bytes; what it accepts names a learner Tapivox would accept and carries
// well-formed ids, and writing it out and reading it again gives the same.
#include "progress/learnerfile.h"

#include <QUuid>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool same(const progress::SessionRecord &a, const progress::SessionRecord &b)
{
    return a.uuid == b.uuid && a.start == b.start && a.end == b.end && a.module == b.module &&
           a.lesson == b.lesson && a.good == b.good && a.errors == b.errors && a.seconds == b.seconds &&
           a.typingMs == b.typingMs && a.title == b.title && a.completed == b.completed &&
           a.keys.size() == b.keys.size() && a.confusions == b.confusions;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<progress::LearnerFile> file = progress::LearnerFile::parse(bytes, &error);
    if (!file) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    if (!progress::Journal::learnerNameProblem(file->learner.name).isEmpty() ||
        QUuid::fromString(file->learner.uuid).isNull() || file->learner.level < 0 ||
        file->learner.level > progress::Learner::kCanType)
        std::abort();
    for (const progress::SessionRecord &s : file->sessions)
        if (QUuid::fromString(s.uuid).isNull() || s.module < 1 || s.module > 99)
            std::abort();
    QString again;
    const std::optional<progress::LearnerFile> reread =
        progress::LearnerFile::parse(file->serialize(), &again);
    if (!reread || reread->learner.uuid != file->learner.uuid || reread->learner.name != file->learner.name ||
        reread->learner.level != file->learner.level || reread->sessions.size() != file->sessions.size())
        std::abort();
    for (qsizetype i = 0; i < file->sessions.size(); ++i)
        if (!same(file->sessions[i], reread->sessions[i]))
            std::abort();
    return 0;
}
