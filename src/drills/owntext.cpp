// The learner's own text: encoding, conversion to Windows-1252 and refusals.
#include "drills/owntext.h"

#include "ui/cp1252.h"
#include "ui/safefile.h"
#include "ui/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

#include <cerrno>
#include <sys/stat.h>

namespace owntext {

namespace {

const QString kClipboard = QStringLiteral("presse-papiers");
const QString kRecentKey = QStringLiteral("textes/recents");

// Signs outside Windows-1252 that have a near one in it, one row each.
const Equivalent kEquivalents[] = {
    {0x202F, "\u00A0", "espace fine insécable", "espace insécable"},
    {0x2007, "\u00A0", "espace de chiffre", "espace insécable"},
    {0x2060, "", "gluon", "rien"},
    {0xFEFF, "", "espace insécable sans chasse", "rien"},
    {0x200B, "", "espace sans chasse", "rien"},
    {0x200C, "", "antiliant sans chasse", "rien"},
    {0x200D, "", "liant sans chasse", "rien"},
    {0x2002, " ", "espace demi-cadratin", "espace"},
    {0x2003, " ", "espace cadratin", "espace"},
    {0x2004, " ", "espace tiers de cadratin", "espace"},
    {0x2005, " ", "espace quart de cadratin", "espace"},
    {0x2006, " ", "espace sixième de cadratin", "espace"},
    {0x2008, " ", "espace de ponctuation", "espace"},
    {0x2009, " ", "espace fine", "espace"},
    {0x200A, " ", "espace ultrafine", "espace"},
    {0x205F, " ", "espace moyenne", "espace"},
    {0x2010, "-", "trait d'union", "«\u00A0-\u00A0»"},
    {0x2011, "-", "trait d'union insécable", "«\u00A0-\u00A0»"},
    {0x2012, "\u2013", "tiret numérique", "«\u00A0–\u00A0»"},
    {0x2015, "\u2014", "barre horizontale", "«\u00A0—\u00A0»"},
    {0x2212, "-", "signe moins", "«\u00A0-\u00A0»"},
    {0x2043, "-", "puce trait d'union", "«\u00A0-\u00A0»"},
    {0x201B, "\u2018", "guillemet-apostrophe culbuté", "«\u00A0‘\u00A0»"},
    {0x201F, "\u201C", "guillemet-virgule double culbuté", "«\u00A0“\u00A0»"},
    {0x02BC, "\u2019", "apostrophe modificative", "«\u00A0’\u00A0»"},
    {0x2032, "'", "prime", "«\u00A0'\u00A0»"},
    {0x2033, "\"", "double prime", "«\u00A0\"\u00A0»"},
    {0x2024, ".", "point de conduite", "«\u00A0.\u00A0»"},
    {0x2027, "\u00B7", "point de coupure", "«\u00A0·\u00A0»"},
    {0x2023, "\u2022", "puce triangulaire", "«\u00A0•\u00A0»"},
    {0x2219, "\u2022", "opérateur puce", "«\u00A0•\u00A0»"},
    {0x25CF, "\u2022", "disque noir", "«\u00A0•\u00A0»"},
    {0x25E6, "\u2022", "puce blanche", "«\u00A0•\u00A0»"},
    {0x2044, "/", "barre de fraction", "«\u00A0/\u00A0»"},
    {0x2215, "/", "barre oblique de division", "«\u00A0/\u00A0»"},
    {0x2264, "<=", "inférieur ou égal", "«\u00A0<=\u00A0»"},
    {0x2265, ">=", "supérieur ou égal", "«\u00A0>=\u00A0»"},
    {0x2260, "!=", "différent de", "«\u00A0!=\u00A0»"},
    {0x2192, "->", "flèche vers la droite", "«\u00A0->\u00A0»"},
    {0x2190, "<-", "flèche vers la gauche", "«\u00A0<-\u00A0»"},
    {0x2116, "N\u00B0", "numéro", "«\u00A0N°\u00A0»"},
    {0x2103, "\u00B0C", "degré Celsius", "«\u00A0°C\u00A0»"},
    {0xFB00, "ff", "ligature ff", "«\u00A0ff\u00A0»"},
    {0xFB01, "fi", "ligature fi", "«\u00A0fi\u00A0»"},
    {0xFB02, "fl", "ligature fl", "«\u00A0fl\u00A0»"},
    {0xFB03, "ffi", "ligature ffi", "«\u00A0ffi\u00A0»"},
    {0xFB04, "ffl", "ligature ffl", "«\u00A0ffl\u00A0»"},
};

const Equivalent *equivalentOf(char32_t c)
{
    for (const Equivalent &e : kEquivalents)
        if (e.from == c)
            return &e;
    return nullptr;
}

bool isLineBreak(char32_t c)
{
    return c == u'\n' || c == u'\f' || c == u'\v' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0xA0);
}

QString refusal(const QString &title, const QString &reason)
{
    if (title == kClipboard)
        return QStringLiteral("Le presse-papiers ne peut pas servir de texte à recopier\u00A0: %1.")
            .arg(reason);
    return QStringLiteral("Le fichier «\u00A0%1\u00A0» ne peut pas servir de texte à recopier\u00A0: %2.")
        .arg(title, reason);
}

Text refused(const QString &title, const QString &reason)
{
    Text t;
    t.title = title;
    t.error = refusal(title, reason);
    return t;
}

// Why bytes are not a text, or nothing: the documents a learner may take
// for one.
QString notText(const QByteArray &bytes)
{
    if (bytes.startsWith("%PDF-"))
        return QStringLiteral("c'est un document PDF, pas un fichier texte");
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("\xD0\xCF\x11\xE0"))
        return QStringLiteral("c'est un document de traitement de texte, pas un fichier texte\u00A0; "
                              "enregistrez-le au format «\u00A0Texte\u00A0» (.txt)");
    if (bytes.startsWith("{\\rtf"))
        return QStringLiteral("c'est un document RTF, pas un fichier texte\u00A0; "
                              "enregistrez-le au format «\u00A0Texte\u00A0» (.txt)");
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QStringLiteral("il est enregistré en UTF-16\u00A0; enregistrez-le en UTF-8");
    return {};
}

// Plain text has no zero and hardly any control code; what a binary file
// gives, read from the disk or copied, has many.
bool looksBinary(QStringView text)
{
    qsizetype controls = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0)
            return true;
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f' && u != u'\v' && u != 0x1A) ||
            u == 0x7F)
            ++controls;
    }
    return controls * 100 > text.size();
}

class Converter
{
public:
    void add(const QString &what, bool skipped)
    {
        const auto it = m_index.constFind(what);
        if (it != m_index.cend()) {
            ++m_replaced[*it].count;
            return;
        }
        m_index.insert(what, int(m_replaced.size()));
        m_replaced.append({what, 1, skipped});
    }

    QString convert(const QString &input)
    {
        const QString text = input.normalized(QString::NormalizationForm_C);
        QString out;
        out.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            char32_t c = text[i].unicode();
            qsizetype width = 1;
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(text[i], text[i + 1]);
                width = 2;
            }
            if (c == u'\r') {
                if (i + 1 < text.size() && text[i + 1] == u'\n')
                    ++i;
                out += u'\n';
                continue;
            }
            if (isLineBreak(c)) {
                out += u'\n';
                continue;
            }
            if (c == 0x1A && i + 1 == text.size())
                break; // the old end-of-file mark
            const bool control = c < 0x20 ? c != u'\t' : (c >= 0x7F && c < 0xA0);
            if (!control && c <= 0xFFFF && ui::unicodeToCp1252(QChar(char16_t(c))) >= 0) {
                out += QChar(char16_t(c));
            } else if (const Equivalent *e = equivalentOf(c)) {
                out += QString::fromUtf8(e->to);
                add(QStringLiteral("%1 → %2").arg(QString::fromUtf8(e->name), QString::fromUtf8(e->toName)),
                    false);
            } else {
                out += QChar(kSkipSign);
                add(control
                        ? QStringLiteral("caractère de commande %1")
                              .arg(QStringLiteral("U+%1").arg(quint32(c), 4, 16, QLatin1Char('0')).toUpper())
                        : QStringLiteral("«\u00A0%1\u00A0»").arg(text.mid(i, width)),
                    true);
            }
            i += width - 1;
        }
        // Blanks at the end of a line cannot be seen in the model, so they
        // are not asked for; nor are empty lines at the end.
        QStringList lines = out.split(u'\n');
        for (QString &line : lines) {
            qsizetype end = line.size();
            while (end > 0 && isBlank(line[end - 1]))
                --end;
            line.truncate(end);
        }
        while (!lines.isEmpty() && lines.constLast().isEmpty())
            lines.removeLast();
        QStringList laidOut;
        laidOut.reserve(lines.size());
        for (const QString &line : std::as_const(lines))
            cut(line, laidOut);
        return laidOut.join(u'\n');
    }

    QList<Replacement> m_replaced;
    int m_cutLines = 0;

private:
    // A line longer than kLineLength goes into lines of at most that many
    // characters: each ends before the last blank that lets it fit (the
    // blanks there are not asked for), or, without one, in the middle of the
    // run. A no-break space binds as it does in print.
    void cut(const QString &line, QStringList &out)
    {
        if (line.size() > kLineLength)
            ++m_cutLines;
        QStringView rest(line);
        while (rest.size() > kLineLength) {
            qsizetype end = kLineLength;
            while (end > 0 && !(isBreak(rest[end]) && !isBreak(rest[end - 1])))
                --end;
            qsizetype next = end;
            if (end == 0) {
                end = next = kLineLength;
            } else {
                while (next < rest.size() && isBreak(rest[next]))
                    ++next;
            }
            // A no-break space before the cut ends the line like any blank:
            // it is not asked for either.
            qsizetype kept = end;
            while (kept > 0 && isBlank(rest[kept - 1]))
                --kept;
            out << rest.first(kept).toString();
            rest = rest.sliced(next);
        }
        out << rest.toString();
    }

    static bool isBreak(QChar c) { return c == u' ' || c == u'\t'; }

    QHash<QString, int> m_index;
};

} // namespace

QString clipboardTitle()
{
    return kClipboard;
}

std::span<const Equivalent> equivalents()
{
    return kEquivalents;
}

QString Text::report() const
{
    QStringList lines;
    if (!replaced.isEmpty()) {
        constexpr int kShown = 12;
        lines << QStringLiteral("Des caractères que Tapivox ne sait pas écrire ont été remplacés\u00A0:");
        bool skipped = false;
        int others = 0;
        for (int i = 0; i < replaced.size(); ++i) {
            const Replacement &r = replaced[i];
            skipped = skipped || r.skipped;
            if (i >= kShown) {
                others += r.count;
                continue;
            }
            const QString what = r.skipped ? r.what + QStringLiteral(" → «\u00A0\uFFFD\u00A0»") : r.what;
            lines << QStringLiteral("– %1\u00A0: %2 fois").arg(what).arg(r.count);
        }
        if (others > 0)
            lines << QStringLiteral("– et d'autres, %1 fois en tout").arg(others);
        if (skipped)
            lines << QStringLiteral(
                "Le signe «\u00A0\uFFFD\u00A0» n'est pas à taper\u00A0: la correction le passe.");
    }
    if (cutLines > 0) {
        const QString cut =
            cutLines == 1
                ? QStringLiteral("Une ligne de plus de %1\u00A0caractères a été coupée").arg(kLineLength)
                : QStringLiteral("%1\u00A0lignes de plus de %2\u00A0caractères ont été coupées")
                      .arg(cutLines)
                      .arg(kLineLength);
        lines << cut + QStringLiteral(
                           " en lignes plus courtes\u00A0: tapez chaque ligne du modèle, puis Entrée.");
    }
    return lines.join(u'\n');
}

Text fromText(const QString &text, const QString &title)
{
    if (text.size() > kMaxBytes)
        return refused(title, QStringLiteral("il fait plus de 1\u00A0Mo"));
    // The same test for a file and the clipboard: a copied binary file is no
    // more a text than the file itself.
    if (looksBinary(text))
        return refused(title, title == kClipboard ? QStringLiteral("ce n'est pas du texte")
                                                  : QStringLiteral("ce n'est pas un fichier texte"));
    Converter converter;
    Text t;
    t.title = title;
    t.text = converter.convert(text);
    bool blank = true;
    bool typable = false;
    for (QChar c : std::as_const(t.text)) {
        if (!isBlank(c) && c != u'\n')
            blank = false;
        if (!isBlank(c) && c != u'\n' && c != QChar(kSkipSign))
            typable = true;
    }
    if (blank)
        return refused(title, text.isEmpty() ? QStringLiteral("il est vide")
                                             : QStringLiteral("il ne contient que des blancs"));
    if (!typable)
        return refused(title, QStringLiteral("il ne contient aucun caractère que Tapivox sait écrire"));
    t.replaced = converter.m_replaced;
    t.cutLines = converter.m_cutLines;
    return t;
}

Text fromBytes(const QByteArray &input, const QString &title)
{
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray bytes = input.startsWith(bom) ? input.mid(bom.size()) : input;
    if (bytes.size() > kMaxBytes)
        return refused(title, QStringLiteral("il fait plus de 1\u00A0Mo"));
    const QString reason = notText(bytes);
    if (!reason.isEmpty())
        return refused(title, reason);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = ui::fromCp1252(bytes); // invalid UTF-8 reads as the Windows code page
    return fromText(text, title);
}

Text readFile(const QString &path)
{
    const QString title = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    const QByteArray name = QFile::encodeName(path);
    struct stat st
    {
    };
    if (::lstat(name.constData(), &st) == 0 && S_ISLNK(st.st_mode) && ::stat(name.constData(), &st) != 0 &&
        errno == ENOENT)
        return refused(title, QStringLiteral("c'est un lien vers un fichier qui n'existe plus"));
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return refused(title, QStringLiteral("c'est un dossier"));
        if (S_ISFIFO(st.st_mode))
            return refused(title, QStringLiteral("c'est un tube nommé, pas un fichier"));
        if (S_ISREG(st.st_mode) && st.st_size > kMaxBytes)
            return refused(title, QStringLiteral("il fait plus de 1\u00A0Mo"));
    }
    QByteArray bytes;
    QString why;
    if (!ui::readRegularFile(path, kMaxBytes, &bytes, &why))
        return refused(title, why);
    return fromBytes(bytes, title);
}

QStringList recentTexts()
{
    return ui::settings()->value(ui::learnerKey(kRecentKey)).toStringList().mid(0, kRecentCount);
}

void rememberText(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentTexts();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentCount)
        recent.removeLast();
    ui::settings()->setValue(ui::learnerKey(kRecentKey), recent);
}

void forgetTexts(const QStringList &paths)
{
    QStringList recent = recentTexts();
    for (const QString &p : paths)
        recent.removeAll(p);
    ui::settings()->setValue(ui::learnerKey(kRecentKey), recent);
}

} // namespace owntext
