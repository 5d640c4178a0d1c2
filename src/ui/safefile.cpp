// Atomic file replacement and bounded, non-blocking reads over POSIX calls,
// so that every failure (a full disk included) is seen and reported.
#include "ui/safefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ui {

QString systemReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC: return QStringLiteral("le disque est plein");
    case EDQUOT: return QStringLiteral("le quota de disque est dépassé");
    case EACCES:
    case EPERM: return QStringLiteral("accès refusé");
    case EROFS: return QStringLiteral("le disque est en lecture seule");
    case ENOENT: return QStringLiteral("le dossier ou le fichier n'existe pas");
    case ENOTDIR: return QStringLiteral("le chemin ne mène pas à un dossier");
    case EISDIR: return QStringLiteral("c'est un dossier");
    case EIO: return QStringLiteral("erreur de lecture ou d'écriture sur le disque");
    case ENAMETOOLONG: return QStringLiteral("le nom est trop long");
    case ELOOP: return QStringLiteral("trop de liens symboliques");
    case EFBIG: return QStringLiteral("le fichier est trop grand");
    case EMFILE:
    case ENFILE: return QStringLiteral("trop de fichiers ouverts");
    case ENOMEM: return QStringLiteral("mémoire insuffisante");
    default: return QStringLiteral("erreur système %1").arg(errorNumber);
    }
}

namespace {
bool fail(QString *error, int errorNumber)
{
    if (error)
        *error = systemReason(errorNumber);
    return false;
}

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}
} // namespace

bool writeFileSafely(const QString &path, const QByteArray &data, QString *error)
{
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    struct stat old
    {
    };
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(error, EISDIR);
    if (exists && ::access(target.constData(), W_OK) != 0) {
        if (error)
            *error = QStringLiteral("le fichier est protégé en écriture");
        return false;
    }
    QByteArray temporary = folder + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return fail(error, errno);
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int err = 0;
    if (::fchmod(fd, mode) != 0 && exists)
        err = errno;
    if (!err && !writeAll(fd, data))
        err = errno;
    if (!err && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && !err)
        err = errno;
    if (!err && ::rename(temporary.constData(), target.constData()) != 0)
        err = errno;
    if (err) {
        ::unlink(temporary.constData());
        return fail(error, err);
    }
    // The rename itself reaches the disk only when the folder is synced.
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool readRegularFile(const QString &path, qint64 maxBytes, QByteArray *data, QString *error, Links links)
{
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that opening a named pipe returns at once.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY |
                                                (links == Links::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        if (errno == ENOENT && error) {
            *error = QStringLiteral("le fichier n'existe pas");
            return false;
        }
        if (errno == ELOOP && links == Links::Refuse && error) {
            *error = QStringLiteral("c'est un lien, qui n'est pas suivi");
            return false;
        }
        return fail(error, errno);
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return fail(error, err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        if (error)
            *error = S_ISDIR(st.st_mode) ? QStringLiteral("c'est un dossier")
                                         : QStringLiteral("ce n'est pas un fichier ordinaire");
        return false;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        if (error)
            *error = QStringLiteral("le fichier est trop grand");
        return false;
    }
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(maxBytes < st.st_size + 1 ? maxBytes + 1 : st.st_size + 1));
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            return fail(error, err);
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got > maxBytes) {
        if (error)
            *error = QStringLiteral("le fichier est trop grand");
        return false;
    }
    bytes.truncate(got);
    *data = bytes;
    return true;
}

} // namespace ui
