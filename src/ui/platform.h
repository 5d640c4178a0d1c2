// Start-up set-up of the platform: French locale and translations, the
// Windows font names, the application's title.
#pragma once
#include <QString>

class QApplication;

namespace ui {

// French (France) as the default locale, Qt's French translations for the
// standard dialogs, font substitutions for the Windows font names, the
// program's icon for every window and the style with deferred icons.
void setUpPlatform(QApplication &app);

// The long time format of the locale without its time-zone part
// ("HH:mm:ss" in French).
QString longTimeFormat();

// Window pictures: a compiled-in picture by base name (":/icons/<name>.png",
// rendered from resources/icons/<name>.svg at build time, with its @2x twin).
QString iconPath(const QString &name);

} // namespace ui
