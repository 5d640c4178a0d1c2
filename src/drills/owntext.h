// The learner's own text to copy: read from a file or taken from the
// clipboard, turned into the program's Windows-1252 characters, or refused
// with a French reason. No widget here; the text lesson shows the result.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include <span>

namespace owntext {

// A text file is read up to this size.
constexpr qint64 kMaxBytes = 1024 * 1024;

// A longer line of the text is cut into lines of at most this many
// characters, at a blank when it has one: about one row of the model, as
// long as the program's own lines. A line is laid out again at each key, so
// its length is what a key costs; and a short line tells the learner at once
// where a typing error lies.
constexpr qsizetype kLineLength = 80;

// Stands for a character the program cannot show; the judging skips it.
constexpr char16_t kSkipSign = 0xFFFD;

// A sign outside Windows-1252 and what replaces it, as the learner reads it
// in the message that lists the replacements.
struct Equivalent
{
    char16_t from;
    const char *to; // UTF-8; empty: the sign is dropped
    const char *name;
    const char *toName;
};
std::span<const Equivalent> equivalents();

// What was replaced, how many times.
struct Replacement
{
    QString what; // "espace fine insécable → espace insécable", or the character itself
    int count = 0;
    bool skipped = false; // replaced by the sign that the judging skips
};

struct Text
{
    QString text;  // lines separated by '\n'; empty when refused
    QString title; // the file's name, or "presse-papiers"
    QString error; // the refusal, in French, naming the source; empty when read
    QList<Replacement> replaced;
    int cutLines = 0; // lines of the source longer than kLineLength
    bool ok() const { return error.isEmpty(); }
    // One message listing every replacement and the lines cut; empty when
    // the text is shown as it came.
    QString report() const;
};

// The title of a text taken from the clipboard.
QString clipboardTitle();

// The bytes of a file: UTF-8 with or without its mark, otherwise
// Windows-1252; binary bytes and documents are refused.
Text fromBytes(const QByteArray &bytes, const QString &title);
// Text already decoded (the clipboard).
Text fromText(const QString &text, const QString &title);
// A file; directories, pipes, links to nothing, unreadable or larger files
// are refused without blocking.
Text readFile(const QString &path);

// The texts last read from files, newest first, at most kRecentCount (the
// settings file may hold more, written by hand).
constexpr int kRecentCount = 5;
QStringList recentTexts();
void rememberText(const QString &path);
void forgetTexts(const QStringList &paths);

} // namespace owntext
