// The timed copy test: a text copied for a fixed time, scored as typing
// tests count it. No widget here; TEpreuve shows it.
#pragma once
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace drills {

// Five characters make a word, blanks and signs included.
inline constexpr int kCharactersPerWord = 5;
// The durations offered, in minutes.
inline constexpr int kCopyTestMinutes[] = {1, 3, 5, 10};
// Without a key for this long, the learner has left: the test is
// interrupted.
inline constexpr qint64 kIdleLimitMs = 60 * 1000;

// A text as the test shows it: its lines run on, tabs and runs of blanks
// become one blank, the skipped sign of an own text is dropped.
QString copyTestModel(const QString &text);
// The model repeated, a blank between, until it holds at least length
// characters: a short text wraps round rather than ending the test early.
QString wrappedModel(const QString &model, qsizetype length);
// Whether a typed character stands for the expected one: itself, or its
// plain stand-in of one character (' for ’, a blank for a non-breaking
// space, " for « and », - for – and —).
bool copyMatches(QChar expected, QChar typed);

struct CopyError
{
    qsizetype position = 0;
    QChar expected;
    QChar typed;
};

struct CopyScore
{
    qsizetype typed = 0; // characters left in the copy
    int errors = 0;      // of them, those that differ from the model
    int keystrokes = 0;  // every key, corrections included
    qint64 ms = 0;
    QList<CopyError> errorList;

    double minutes() const { return ms / 60000.0; }
    // Words per minute before and after the uncorrected errors, keystrokes
    // per minute, and the share of right characters in percent.
    double grossWpm() const;
    double netWpm() const;
    double keysPerMinute() const;
    double accuracy() const;
};

// The copy typed against the model (wrapped as needed) over ms.
CopyScore scoreCopy(const QString &model, QStringView typed, int keystrokes, qint64 ms);

// The short code printed on an attestation: the same session always gives
// the same code, another learner, session or figure another one.
QString attestationCode(const QString &learnerUuid, const QString &sessionUuid, int netTenths,
                        int accuracyTenths);

struct Attestation
{
    QString learner;
    QDateTime when;
    int minutes = 0;
    bool corrections = true; // Retour arrière allowed
    QString text; // the model's first words are taken from it
    double netWpm = 0;
    double accuracy = 0;
    QString code;
};
// The attestation's lines, in French, ready to print.
QStringList attestationLines(const Attestation &attestation);

// A figure with one decimal and a decimal comma: "23,4".
QString frenchDecimal(double value);

} // namespace drills
