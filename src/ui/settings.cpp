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

} // namespace ui
