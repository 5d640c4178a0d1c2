// The text lesson with a large text of the learner's own, offscreen: the
// time from « Votre texte » until the model is shown, then the time each
// key takes to be answered (repaint and the guide's question included),
// the slowest and the mean of the first keys of the first line, and of a
// refused Enter. Texts of 1 MB: ordinary lines, one line of words, one line
// without a blank; and 200 kB without a blank.
//   bench_owntext [keys] [quick]   (quick: without the 1 MB line without a
//   blank, which took a minute to show before lines were cut)
// Offscreen unless QT_QPA_PLATFORM says otherwise (scripts/xvfb.sh with xcb).
// A measurement, not a test.
#include "drills/owntext.h"
#include "drills/ttexte.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

QString textOf(const QString &kind, qsizetype size)
{
    const QString unit = kind == QLatin1String("lines") ? QStringLiteral("des mots ordinaires, une ligne\n")
                         : kind == QLatin1String("one line") ? QStringLiteral("des mots ordinaires ")
                                                             : QStringLiteral("abcdefghij");
    return unit.repeated(size / unit.size() + 1).left(size);
}

qint64 press(QWidget *target, QChar ch, Qt::Key key = Qt::Key_unknown)
{
    QElapsedTimer clock;
    clock.start();
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &up);
    QCoreApplication::processEvents(); // the repaint of what changed
    return clock.nsecsElapsed();
}

void measure(const QTemporaryDir &dir, const QString &kind, qsizetype size, int keys)
{
    const QString path = dir.filePath(QStringLiteral("texte.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(textOf(kind, size).toUtf8());
    file.close();
    owntext::rememberText(path); // SetIni(8) brings it back without a question

    TTexte w;
    w.resize(668, 375);
    w.show();
    QObject::connect(&w, &LessonWindow::guideChanged, &w, [&w] { (void)w.guideExpected(); });
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    w.SetIni(8);
    QCoreApplication::processEvents();
    const qint64 loaded = clock.elapsed();

    const QString line = w.modelLine(0);
    qint64 slowest = 0;
    qint64 total = 0;
    const int typed = int(std::min<qsizetype>(keys, line.size()));
    for (int i = 0; i < typed; ++i) {
        const qint64 t = press(w.RichEdit2(), line[i]);
        slowest = std::max(slowest, t);
        total += t;
    }
    const qint64 enter = press(w.RichEdit2(), QLatin1Char('\r'), Qt::Key_Return);
    std::printf("%-9s %8lld characters, %6d model lines: shown in %6lld ms; %d keys: slowest %7.1f ms, "
                "mean %7.1f ms; refused Enter %7.1f ms\n",
                qPrintable(kind), static_cast<long long>(size), w.RichEdit1()->document()->blockCount(),
                static_cast<long long>(loaded), typed, double(slowest) / 1e6,
                typed ? double(total) / typed / 1e6 : 0.0, double(enter) / 1e6);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path())); // the recent texts go there
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::atoi(argv[1]) : 20;
    const qsizetype mb = 1000 * 1000; // under the reader's limit of 1 MiB
    measure(dir, QStringLiteral("lines"), mb, keys);
    measure(dir, QStringLiteral("one line"), mb, keys);
    measure(dir, QStringLiteral("no blank"), 200 * 1000, keys);
    if (argc < 3 || qstrcmp(argv[2], "quick") != 0)
        measure(dir, QStringLiteral("no blank"), mb, keys);
    return 0;
}
