// The one settings file of the program.
#include "ui/settings.h"

namespace ui {

std::unique_ptr<QSettings> settings()
{
    // Named explicitly rather than from the application's names, so that the
    // test programs read and write the same file as the program (inside the
    // temporary home they set).
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Tapivox"), QStringLiteral("Tapivox"));
}

namespace {

QString &learnerGroup()
{
    static QString group;
    return group;
}

} // namespace

void setLearnerGroup(const QString &learner)
{
    learnerGroup() = learner;
}

QString learnerKey(const QString &key)
{
    return learnerGroup().isEmpty() ? key : QStringLiteral("apprenants/%1/%2").arg(learnerGroup(), key);
}

} // namespace ui
