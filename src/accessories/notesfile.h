// The notes file's bytes: Windows-1252 with CR LF when every character of
// the notes has a Windows-1252 code, else UTF-8 behind a byte-order mark so
// that nothing is lost. Reading accepts both, UTF-8 without a byte-order
// mark as a Linux editor writes it, and CR, LF or CR LF line ends.
//
// NotesFile keeps what is known of the file on disk between the load and
// the save, so that a save never silently replaces a file it could not
// read, could not decode exactly, or that another program changed since.
#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

namespace notes {

enum class Encoding { Cp1252, Utf8Bom, Utf8 };

// The notes (lines separated by '\n') as the file holds them, in the
// encoding the file came in when every character fits it.
QByteArray encode(const QString &text, Encoding encoding = Encoding::Cp1252);
// The file's bytes as notes, every line end turned into '\n'. *encoding
// tells how they were read; *exact is false when bytes behind a UTF-8
// byte-order mark were not valid UTF-8 (they cannot be written back).
QString decode(const QByteArray &bytes, Encoding *encoding = nullptr, bool *exact = nullptr);
// The first doubled path separator of a name made single.
QString collapseSeparator(const QString &name);

// The most the notepad takes; a larger file is left alone.
constexpr qint64 kCapacity = 8 * 1024 * 1024;
// The longest line it takes: each key in a line lays the whole line out
// again, so that a longer one makes typing lag.
constexpr qsizetype kLongestLine = 100000;

// Whether a link may be followed, as the system's protection of shared
// folders decides: in a sticky folder that everyone may write, only a link
// of the learner's or of the folder's owner.
bool mayFollowLink(unsigned linkOwner, unsigned folderOwner, unsigned folderMode, unsigned learner);

class NotesFile final
{
public:
    enum class Save { Saved, Failed, NeedsConsent };

    // Where the notes of that name are read and written: the name itself,
    // the file a link leads to inside the same folder, or a file beside a
    // link that leads out of its folder or that another user made in a
    // shared folder (which is never followed).
    struct Place
    {
        QString path;
        QString note; // told to the learner: the link is not followed
    };
    static Place place(const QString &name);

    // Reads the notes file. Returns the text when there is one to show;
    // *message says what went wrong, or what the learner must know.
    std::optional<QString> load(const QString &name, QString *message);
    // Writes the notes, unless the file must not be replaced without the
    // learner's word (replaceAnyway gives it) or cannot be written.
    Save save(const QString &name, const QString &text, bool replaceAnyway, QString *message);
    // Writes the notes to a file the learner chose.
    bool saveAs(const QString &path, const QString &text, QString *message);
    // Whether the file may not be replaced without the learner's word.
    bool guarded() const { return !m_consent.isEmpty() || !m_blocked.isEmpty(); }

private:
    QString m_loadedPath;               // absolute; empty before a load
    std::optional<QByteArray> m_onDisk; // hash of the bytes loaded or written; none: no file
    Encoding m_encoding = Encoding::Cp1252;
    QString m_consent; // why the file is not replaced without asking
    QString m_blocked; // why the file is never replaced
};

} // namespace notes
