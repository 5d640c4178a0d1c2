// Locale, translations, fonts, the program's icon and the style.
#include "ui/platform.h"

#include "ui/lazyicons.h"
#include "ui/modalfocus.h"
#include "ui/pictures.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

void setUpPlatform(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    for (const char *name : {"qtbase_fr"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(QLatin1String(name), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            app.installTranslator(translator);
        else
            delete translator;
    }
    // The Windows fonts that the windows name resolve to their metric-compatible
    // Liberation twins.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("System"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Wingdings"), QStringLiteral("DejaVu Sans"));
    keepFocusAfterModals(app);
    // Every window without an icon of its own shows the program's, in the
    // task bar and on its title bar: the lesson sub-windows then ask the
    // style for no icon of its own either.
    QApplication::setWindowIcon(picture(QStringLiteral("tapivox")));
    useLazyIconStyle();
}

QString longTimeFormat()
{
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

QString iconPath(const QString &name)
{
    return QStringLiteral(":/icons/%1.png").arg(name);
}

} // namespace ui
