// The notes file's bytes: Windows-1252 with CR LF when every character of
// the notes has a Windows-1252 code, else UTF-8 behind a byte-order mark so
// that nothing is lost. Reading accepts both, and CR, LF or CR LF line ends.
#pragma once
#include <QByteArray>
#include <QString>

namespace notes {

// The notes (lines separated by '\n') as the file holds them.
QByteArray encode(const QString &text);
// The file's bytes as notes, every line end turned into '\n'.
QString decode(const QByteArray &bytes);
// The first doubled path separator of a name made single.
QString collapseSeparator(const QString &name);

} // namespace notes
