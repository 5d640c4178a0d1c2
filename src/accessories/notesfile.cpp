// Encoding, decoding and safe replacement of the notes file.
#include "accessories/notesfile.h"

#include "ui/cp1252.h"
#include "ui/safefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace notes {
namespace {
const QByteArray kBom("\xEF\xBB\xBF");

bool isAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    (void)decoded;
    return !utf8.hasError();
}

QByteArray hash(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString folderOf(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

qsizetype longestLine(const QString &text)
{
    qsizetype longest = 0;
    for (qsizetype from = 0; from <= text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), from);
        if (end < 0)
            end = text.size();
        longest = qMax(longest, end - from);
        from = end + 1;
    }
    return longest;
}

const QString kKept = QStringLiteral("Les notes de cette séance sont gardées dans le bloc-notes.");
} // namespace

QByteArray encode(const QString &text, Encoding encoding)
{
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (encoding == Encoding::Utf8Bom)
        return kBom + crlf.toUtf8();
    if (encoding == Encoding::Utf8) {
        // A leading zero-width no-break space would read back as the mark.
        return crlf.startsWith(QChar(0xFEFF)) ? kBom + crlf.toUtf8() : crlf.toUtf8();
    }
    // Windows-1252 bytes that begin like the byte-order mark, or that happen
    // to form valid UTF-8 ("Ã€" is C3 80, the UTF-8 of "À"), would be read
    // back as UTF-8: such notes are written as UTF-8 behind a mark.
    if (ui::fitsCp1252(crlf)) {
        QByteArray bytes = ui::toCp1252(crlf);
        if (!bytes.startsWith(kBom) && (isAscii(bytes) || !isValidUtf8(bytes)))
            return bytes;
    }
    return kBom + crlf.toUtf8();
}

QString decode(const QByteArray &bytes, Encoding *encoding, bool *exact)
{
    Encoding how = Encoding::Cp1252;
    bool valid = true;
    QString text;
    if (bytes.startsWith(kBom)) {
        // Only the first byte-order mark is the file's: a zero-width
        // no-break space at the start of the notes stays.
        QStringDecoder utf8(QStringConverter::Utf8,
                            QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
        text = utf8(bytes.mid(kBom.size()));
        valid = !utf8.hasError();
        how = Encoding::Utf8Bom;
    } else if (!isAscii(bytes)) {
        // Accented Windows-1252 text is almost never valid UTF-8 (and the
        // notepad never writes such text as Windows-1252), so a valid UTF-8
        // file is one a Linux editor wrote.
        QStringDecoder utf8(QStringConverter::Utf8,
                            QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
        const QString asUtf8 = utf8(bytes);
        if (!utf8.hasError()) {
            text = asUtf8;
            how = Encoding::Utf8;
        } else {
            text = ui::fromCp1252(bytes);
        }
    } else {
        text = ui::fromCp1252(bytes);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (encoding)
        *encoding = how;
    if (exact)
        *exact = valid;
    return text;
}

QString collapseSeparator(const QString &name)
{
    const QString doubled(2, QDir::separator());
    QString out = name;
    const qsizetype at = out.indexOf(doubled);
    if (at >= 0)
        out.remove(at, 1);
    return out;
}

bool mayFollowLink(unsigned linkOwner, unsigned folderOwner, unsigned folderMode, unsigned learner)
{
    const bool shared = (folderMode & S_ISVTX) && (folderMode & S_IWOTH);
    return !shared || linkOwner == learner || linkOwner == folderOwner;
}

NotesFile::Place NotesFile::place(const QString &name)
{
    const QFileInfo info(name);
    if (!info.isSymLink())
        return {info.absoluteFilePath(), {}};
    const QString beside = info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
                           QStringLiteral("-local.") + info.suffix();
    // Links are followed one at a time, each as the system's own protection
    // of shared folders would: in a sticky folder that everyone may write
    // (a class drop folder, /tmp) another user's link could lead the notes
    // over any file of the learner's.
    QString at = info.absoluteFilePath();
    for (int hop = 0; hop < 40; ++hop) {
        struct stat link
        {
        };
        if (::lstat(QFile::encodeName(at).constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            break;
        const QString folder = QFileInfo(at).absolutePath();
        struct stat holder
        {
        };
        if (::stat(QFile::encodeName(folder).constData(), &holder) == 0 &&
            !mayFollowLink(link.st_uid, holder.st_uid, holder.st_mode, ::geteuid())) {
            return {beside,
                    QStringLiteral("Le fichier %1 du dossier %2 est un lien créé par un autre utilisateur : "
                                   "il n'est pas suivi. Les notes sont lues et enregistrées à côté, dans %3.")
                        .arg(info.fileName(), folderOf(info.absoluteFilePath()), fileName(beside))};
        }
        at = QFileInfo(at).symLinkTarget(); // one step, absolute
        if (at.isEmpty())
            break;
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    const QString target = info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.symLinkTarget());
    if (!folder.isEmpty() && QFileInfo(target).absolutePath() == folder)
        return {target, {}};
    return {beside, QStringLiteral("Le fichier %1 du dossier %2 est un lien vers %3, hors de ce dossier : "
                                   "il n'est pas suivi. Les notes sont lues et enregistrées à côté, dans %4.")
                        .arg(info.fileName(), folderOf(info.absoluteFilePath()),
                             QDir::toNativeSeparators(target), fileName(beside))};
}

std::optional<QString> NotesFile::load(const QString &name, QString *message)
{
    const Place where = place(name);
    m_loadedPath = where.path;
    m_onDisk.reset();
    m_encoding = Encoding::Cp1252;
    m_consent.clear();
    m_blocked.clear();
    message->clear();
    struct stat st
    {
    };
    const QByteArray native = QFile::encodeName(where.path);
    if (::lstat(native.constData(), &st) != 0 && errno == ENOENT) {
        *message = where.note;
        return std::nullopt; // no notes yet
    }
    const QString what = QStringLiteral("Ne peut lire le fichier %1 du dossier %2 : %3.")
                             .arg(fileName(where.path), folderOf(where.path));
    if (!where.note.isEmpty())
        *message = where.note + QLatin1Char('\n');
    QByteArray bytes;
    QString reason;
    if (!S_ISREG(st.st_mode)) {
        // A link here is one that is not followed (beside a refused one).
        m_blocked = what.arg(S_ISDIR(st.st_mode)   ? QStringLiteral("c'est un dossier")
                             : S_ISLNK(st.st_mode) ? QStringLiteral("c'est un lien, qui n'est pas suivi")
                                                   : QStringLiteral("ce n'est pas un fichier ordinaire"));
        *message +=
            m_blocked + QStringLiteral(" Le bloc-notes commence vide et ce fichier ne sera pas remplacé.");
        return std::nullopt;
    }
    if (!ui::readRegularFile(where.path, kCapacity, &bytes, &reason, ui::Links::Refuse)) {
        m_consent = what.arg(reason);
        if (st.st_size > kCapacity)
            m_consent = QStringLiteral("Le texte dépasse la capacité du mémo : le fichier %1 du dossier %2 "
                                       "a plus de %3 Mo.")
                            .arg(fileName(where.path), folderOf(where.path))
                            .arg(kCapacity / (1024 * 1024));
        *message += m_consent + QStringLiteral(" Le bloc-notes commence vide et ce fichier ne sera pas "
                                               "remplacé sans votre accord.");
        return std::nullopt;
    }
    m_onDisk = hash(bytes);
    bool exact = true;
    const QString text = decode(bytes, &m_encoding, &exact);
    static_assert(kLongestLine == 100000, "the message below names it");
    if (longestLine(text) > kLongestLine) {
        m_consent = QStringLiteral("Le fichier %1 du dossier %2 a une ligne de plus de 100\u00a0000 "
                                   "caractères, que le bloc-notes ne peut montrer sans ralentir la frappe.")
                        .arg(fileName(where.path), folderOf(where.path));
        *message += m_consent + QStringLiteral(" Le bloc-notes commence vide et ce fichier ne sera pas "
                                               "remplacé sans votre accord.");
        return std::nullopt;
    }
    if (!exact) {
        m_consent = QStringLiteral("Le fichier %1 du dossier %2 n'est pas un texte UTF-8 valide : des "
                                   "caractères illisibles y sont montrés par « \uFFFD ».")
                        .arg(fileName(where.path), folderOf(where.path));
        *message += m_consent + QStringLiteral(" Ce fichier ne sera pas remplacé sans votre accord.");
    }
    return text;
}

NotesFile::Save NotesFile::save(const QString &name, const QString &text, bool replaceAnyway,
                                QString *message)
{
    // The place is found again: a link may have been made since the load.
    const Place where = place(name);
    const QString path = where.path;
    const bool loadedHere = path == m_loadedPath;
    struct stat st
    {
    };
    if (!loadedHere && !m_loadedPath.isEmpty() && !replaceAnyway &&
        ::lstat(QFile::encodeName(path).constData(), &st) == 0) {
        *message = (where.note.isEmpty() ? QString() : where.note + QLatin1Char('\n')) +
                   QStringLiteral("Le fichier %1 du dossier %2 mène maintenant au fichier %3, qui n'est pas "
                                  "celui des notes lues au démarrage. Faut-il remplacer %3 par les notes de "
                                  "cette séance ?")
                       .arg(fileName(name), folderOf(QFileInfo(name).absoluteFilePath()),
                            QDir::toNativeSeparators(path));
        return Save::NeedsConsent;
    }
    if (loadedHere && !m_blocked.isEmpty()) {
        *message = m_blocked + QStringLiteral(" Ce fichier n'est pas remplacé. ") + kKept;
        return Save::Failed;
    }
    if (loadedHere && !replaceAnyway) {
        if (!m_consent.isEmpty()) {
            *message =
                m_consent + QStringLiteral(" Faut-il remplacer ce fichier par les notes de cette séance ?");
            return Save::NeedsConsent;
        }
        // Another program (another Tapivox in the same folder) may have
        // written the notes since they were loaded.
        // A file gone since then loses nothing when it is written again.
        QByteArray now;
        QString reason;
        const bool exists = QFileInfo::exists(path);
        const bool same =
            ui::readRegularFile(path, kCapacity, &now, &reason, ui::Links::Refuse) && m_onDisk == hash(now);
        if (exists && !same) {
            *message =
                QStringLiteral("Le fichier %1 du dossier %2 a changé depuis son chargement : un autre "
                               "programme l'a sans doute modifié. Faut-il le remplacer par les notes de "
                               "cette séance ?")
                    .arg(fileName(path), folderOf(path));
            return Save::NeedsConsent;
        }
    }
    const QByteArray bytes = encode(text, loadedHere ? m_encoding : Encoding::Cp1252);
    QString reason;
    if (!ui::writeFileSafely(path, bytes, &reason)) {
        *message = QStringLiteral("Ne peut créer le fichier %1 dans le dossier %2 : %3. ")
                       .arg(fileName(path), folderOf(path), reason) +
                   (QFileInfo(path).isFile() ? QStringLiteral("Le fichier précédent est resté intact. ")
                                             : QString()) +
                   kKept;
        return Save::Failed;
    }
    m_loadedPath = path;
    m_onDisk = hash(bytes);
    m_consent.clear();
    return Save::Saved;
}

bool NotesFile::saveAs(const QString &path, const QString &text, QString *message)
{
    const QFileInfo info(path);
    QString reason;
    const bool existed = info.isFile();
    if (!ui::writeFileSafely(info.absoluteFilePath(), encode(text, m_encoding), &reason)) {
        *message = QStringLiteral("Ne peut créer le fichier %1 dans le dossier %2 : %3. ")
                       .arg(info.fileName(), folderOf(info.absoluteFilePath()), reason) +
                   (existed ? QStringLiteral("Le fichier précédent est resté intact. ") : QString()) + kKept;
        return false;
    }
    return true;
}

} // namespace notes
