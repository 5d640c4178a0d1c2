// The notepad with large notes, offscreen: the time from the start of the
// load until the notes are all in the memo and shown, then the time to
// answer one key at the end of the notes (repaint included). Notes of
// lines of ordinary words up to 7 MB (8 MB once written with CR LF); one line of words and
// one line without a blank as long as the notepad takes (a longer line is
// refused at load).
//   bench_notes
// A measurement, not a test.
#include "accessories/notesfile.h"
#include "accessories/tblocnotes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString notesOf(const QString &kind, qsizetype size)
{
    const QString unit = kind == QLatin1String("lines") ? QStringLiteral("des mots ordinaires, une ligne\n")
                         : kind == QLatin1String("one line") ? QStringLiteral("des mots ordinaires ")
                                                             : QStringLiteral("abcdefghij");
    return unit.repeated(size / unit.size() + 1).left(size);
}

void measure(const QString &kind, qsizetype size)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tapivox.nte"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(notes::encode(notesOf(kind, size)));
    file.close();

    QElapsedTimer clock;
    clock.start();
    TBlocnotes notes;
    notes.Charge(path);
    notes.show();
    while (notes.isLoading())
        QCoreApplication::processEvents();
    notes.Memo1->moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    const qint64 loaded = clock.elapsed();

    clock.restart();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, QStringLiteral("N"));
    QApplication::sendEvent(notes.Memo1, &down);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_N, Qt::NoModifier, QStringLiteral("N"));
    QApplication::sendEvent(notes.Memo1, &up);
    notes.Memo1->repaint();
    QCoreApplication::processEvents();
    const qint64 key = clock.elapsed();
    std::printf("%-9s %8lld characters: shown in %6lld ms, key answered in %5lld ms\n", qPrintable(kind),
                static_cast<long long>(size), static_cast<long long>(loaded), static_cast<long long>(key));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const qsizetype size : {1024 * 1024, 7 * 1024 * 1024})
        measure(QStringLiteral("lines"), size);
    for (const QString &kind : {QStringLiteral("one line"), QStringLiteral("no blank")})
        measure(kind, notes::kLongestLine);
    return 0;
}
