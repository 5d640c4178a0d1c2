// Per-keystroke cost of the exercise window: types the three lines of every
// exercise through the real widgets (offscreen), then as many wrong keys, and
// reports the mean CPU time per accepted and per refused key, repaint
// included; with "guide", the keyboard guide's band follows the window as
// in the frame, with its figures and lesson ends. A measurement, not a test.
#include "app/guidelead.h"
#include "drills/exercisetexts.h"
#include "drills/texos.h"
#include "guide/guideband.h"
#include "keymodel/keymodel.h"
#include "ui/hooklineedit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include <cstdio>
#include <ctime>

namespace {

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

bool g_repaint = true;

// Counts the paint events: a run that paints nothing measures nothing.
struct PaintCounter : QObject
{
    long paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void press(QWidget *target, QChar ch)
{
    QKeyEvent down(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &up);
    if (g_repaint)
        QCoreApplication::processEvents(); // the repaint of what changed
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // bench_exos [rounds] [norepaint] [guide]
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    bool withGuide = false;
    for (int i = 2; i < argc; ++i) {
        if (qstrcmp(argv[i], "norepaint") == 0)
            g_repaint = false;
        if (qstrcmp(argv[i], "guide") == 0)
            withGuide = true;
    }
    // As in the frame: the window in a lesson area, the band under it.
    QWidget frame;
    auto *layout = new QVBoxLayout(&frame);
    auto *area = new QMdiArea;
    area->setMinimumSize(668, 375);
    layout->addWidget(area);
    auto *exos = new TExos;
    TExos &w = *exos;
    QMdiSubWindow *sub = area->addSubWindow(exos, exos->subWindowFlags());
    sub->setFixedSize(668, 375);
    sub->show();
    if (withGuide) {
        auto *band = new guide::GuideBand;
        band->setFixedHeight(170);
        layout->addWidget(band);
        band->setModel(&keyboard::LiveKeyModel::instance().model());
        QObject::connect(exos, &LessonWindow::guideChanged, band,
                         [band, exos] { band->expect(exos->guideExpected()); });
        QObject::connect(exos, &LessonWindow::guideRefused, band,
                         [band](const QString &, const QString &typed) { band->refused(typed); });
        // The live figures, the flash of a refused key and the end of each exercise.
        auto *lead = new GuideLead(
            band, [](int, std::int32_t) -> QAction * { return nullptr; }, band);
        lead->follow(exos);
        lead->setActive(exos, true);
    }
    frame.show();
    frame.activateWindow();
    QCoreApplication::processEvents();
    PaintCounter counter;
    app.installEventFilter(&counter);
    long accepted = 0;
    long refused = 0;
    double acceptedTime = 0;
    double refusedTime = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int code = 1; code <= drills::ExerciseCount; ++code) {
            w.SetIni(code);
            QCoreApplication::processEvents();
            qsizetype expected = 0;
            for (int line = 0; line < 3; ++line) {
                ui::HookLineEdit *typing = w.typingLine(line);
                const QString model = w.modelLine(line)->text();
                // Wrong keys first (the line stays as it is), then the line.
                double start = cpuSeconds();
                for (qsizetype i = 0; i < model.size(); ++i)
                    press(typing, QLatin1Char('#'));
                refusedTime += cpuSeconds() - start;
                refused += model.size();
                start = cpuSeconds();
                for (QChar ch : model)
                    press(typing, ch);
                acceptedTime += cpuSeconds() - start;
                accepted += model.size();
                expected += model.size();
            }
            if (w.good() != expected || w.errors() != expected)
                std::fprintf(stderr, "exercise %d: unexpected counts\n", code);
        }
    }
    std::printf("%s%s\n", g_repaint ? "with repaint" : "without repaint", withGuide ? ", guide shown" : "");
    std::printf("accepted keys: %ld, mean %.1f us CPU per key\n", accepted,
                acceptedTime / double(accepted) * 1e6);
    std::printf("refused keys:  %ld, mean %.1f us CPU per key\n", refused,
                refusedTime / double(refused) * 1e6);
    std::printf("paint events per key: %.1f\n", double(counter.paints) / double(accepted + refused));
    return 0;
}
