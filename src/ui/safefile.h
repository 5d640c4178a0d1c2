// Files written so that a failure never shortens or destroys the file they
// replace, and read without blocking on anything that is not a plain file.
#pragma once
#include <QByteArray>
#include <QString>

namespace ui {

// The system's reason for a failed file operation, in French ("le disque
// est plein"), from an errno value.
QString systemReason(int errorNumber);

// Replaces path with data: written to a temporary file beside it, flushed
// to the disk, then renamed over it, and the folder synced. On failure the
// old file is whole, the temporary file is gone and *error holds the reason
// in French. A file that exists and is protected against writing is not
// replaced. The mode of the replaced file is kept.
bool writeFileSafely(const QString &path, const QByteArray &data, QString *error);

enum class Links { Follow, Refuse };

// Reads a regular file of at most maxBytes bytes. A folder, a named pipe, a
// device or a larger file is refused without blocking, with the reason in
// French in *error; so is a link when links are refused.
bool readRegularFile(const QString &path, qint64 maxBytes, QByteArray *data, QString *error,
                     Links links = Links::Follow);

} // namespace ui
