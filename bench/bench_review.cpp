// A simulated learner, to see whether the personal review teaches faster than
// the exercises in order. The learner misses each character with a fixed
// probability (high on five characters, 2 % elsewhere) that falls a little
// each time it is typed right; a missed key is refused and typed again, as in
// the lessons. Both learners first type one line of each exercise (the
// review's history), then the same number of keystrokes: exercises 1 to 18 in
// order, or review lines (three a session, each session starting from what
// the previous ones recorded). A measurement, not a test.
#include "drills/exercisetexts.h"
#include "drills/review.h"

#include <QMap>
#include <QRandomGenerator>

#include <cstdio>

namespace {

const QString kWeak[5] = {QStringLiteral("é"), QStringLiteral("b"), QStringLiteral("ç"), QStringLiteral("ù"),
                          QStringLiteral("è")};
const double kWeakRate[5] = {0.30, 0.30, 0.20, 0.15, 0.10};
constexpr double kOtherRate = 0.02;
constexpr double kLearning = 0.99; // the error rate kept after a right key
constexpr int kBaseMs = 200;

class Learner
{
public:
    explicit Learner(quint32 seed)
        : m_random(seed)
    {
        for (int i = 0; i < 5; ++i)
            m_rate[kWeak[i]] = kWeakRate[i];
    }

    double rate(const QString &key) const { return m_rate.value(key, kOtherRate); }
    double weakRate() const
    {
        double sum = 0;
        for (const QString &k : kWeak)
            sum += rate(k);
        return sum / 5;
    }
    qint64 keystrokes() const { return m_keystrokes; }

    // Types a line until it is right; the counts per expected character.
    QMap<QString, progress::KeyStat> type(const QString &line)
    {
        QMap<QString, progress::KeyStat> counts;
        for (QChar c : line) {
            const QString key(c);
            progress::KeyStat &s = counts[key];
            s.key = key;
            double &p = m_rate[key];
            if (p == 0)
                p = kOtherRate;
            while (m_random.generateDouble() < p) {
                ++m_keystrokes;
                ++s.missed;
            }
            ++m_keystrokes;
            ++s.typed;
            ++s.timed;
            s.ms += qint64(kBaseMs * (1 + 3 * p)); // hesitation grows with doubt
            p *= kLearning;
        }
        return counts;
    }

private:
    QRandomGenerator m_random;
    QMap<QString, double> m_rate;
    qint64 m_keystrokes = 0;
};

void add(QMap<QString, progress::KeyStat> &to, const QMap<QString, progress::KeyStat> &from)
{
    for (auto it = from.cbegin(); it != from.cend(); ++it) {
        progress::KeyStat &s = to[it.key()];
        s.key = it.key();
        s.typed += it->typed;
        s.missed += it->missed;
        s.ms += it->ms;
        s.timed += it->timed;
    }
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    double start = 0, afterExercises = 0, afterReview = 0;
    qint64 budget = 0;
    for (int run = 0; run < runs; ++run) {
        const quint32 seed = 1000 + run;
        Learner exercises(seed);
        Learner reviewer(seed);
        QMap<QString, progress::KeyStat> history;
        for (int code = 1; code <= drills::ExerciseCount; ++code) {
            const QString first = QString::fromUtf8(drills::exerciseText(code)->models[0]);
            exercises.type(first);
            add(history, reviewer.type(first));
        }
        start += exercises.weakRate();
        const qint64 warmUp = exercises.keystrokes();
        for (int code = 1; code <= drills::ExerciseCount; ++code)
            for (const char *line : drills::exerciseText(code)->models)
                exercises.type(QString::fromUtf8(line));
        const qint64 target = exercises.keystrokes();
        budget += target - warmUp;
        drills::Review review;
        for (quint32 session = 0; reviewer.keystrokes() < target; ++session) {
            review.start(history.values(), {}, seed * 31 + session, session > 0);
            for (int i = 0; i < drills::Review::kLineCount && reviewer.keystrokes() < target; ++i) {
                const auto counts = reviewer.type(review.nextLine());
                review.lineDone(counts);
                add(history, counts);
            }
        }
        afterExercises += exercises.weakRate();
        afterReview += reviewer.weakRate();
    }
    start /= runs;
    afterExercises /= runs;
    afterReview /= runs;
    std::printf("%d learners, %lld keystrokes each after the warm-up\n", runs, budget / runs);
    std::printf("error rate on the five weakest characters: %.1f %% at the start\n", start * 100);
    std::printf("  exercises 1-18 in order: %.1f %% (down %.1f points)\n", afterExercises * 100,
                (start - afterExercises) * 100);
    std::printf("  personal review:         %.1f %% (down %.1f points)\n", afterReview * 100,
                (start - afterReview) * 100);
    std::printf("ratio of the drops: %.1f\n", (start - afterReview) / (start - afterExercises));
    return 0;
}
