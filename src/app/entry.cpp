// Program entry.
#include "app/entry.h"

#include "app/forms.h"
#include "app/sessionend.h"
#include "app/taboutbox.h"
#include "app/tmainform.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "ui/fontconfigreader.h"
#include "ui/platform.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstring>

// `tapivox --classe-schema | psql ...` sets up a class server; no window.
static int printClassSchema()
{
    QFile schema(QStringLiteral(":/classe/schema.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray text = schema.readAll();
    const bool written = std::fwrite(text.constData(), 1, size_t(text.size()), stdout) == size_t(text.size());
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}

int runTapivox(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--classe-schema") == 0)
        return printClassSchema();
    ui::FontConfigReader fonts;
    QApplication app(argc, argv);
    fonts.wait();
    ui::setUpPlatform(app);
    auto *splash = new TSplash;
    forms().Splash = splash;
    splash->show();
    splash->repaint();
    // The name only: a display name would be appended to every caption
    // ("Statistiques — Tapivox"); message boxes still take it as their title.
    QApplication::setApplicationName(QStringLiteral("Tapivox"));
    progress::useJournal(progress::Journal::defaultPath()); // opened at the first session's end
    createForms();
    watchSessionEnd(forms().MainForm, [] { forms().MainForm->saveNotesAtSessionEnd(); });
    delete splash;
    forms().Splash = nullptr;
    forms().MainForm->show();
    const int result = app.exec();
    destroyForms();
    return result;
}
