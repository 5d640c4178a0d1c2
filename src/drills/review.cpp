// The personal review's lines, without widgets.
#include "drills/review.h"

#include "drills/exercisetexts.h"

#include <QSet>

namespace drills {

namespace {

const QString kHomeRow = QStringLiteral("qsdfghjklm");

// Elisions French writes, as (elided word, following word): the following
// word is drilled only when the list knows it.
struct Elision
{
    const char16_t *before;
    const char16_t *word;
};
const Elision kElisions[] = {
    {u"l", u"été"},   {u"d", u"accord"}, {u"l", u"école"}, {u"j", u"ai"},      {u"c", u"est"},
    {u"l", u"eau"},   {u"qu", u"il"},    {u"n", u"est"},   {u"s", u"il"},      {u"l", u"heure"},
    {u"d", u"abord"}, {u"l", u"ami"},    {u"j", u"aime"},  {u"m", u"appelle"}, {u"jusqu", u"à"},
};

const QChar kNbsp(0x00a0); // French typography's space before : ; ! ? % € and inside « »

// Below that many words of the taught characters, the words that are not
// the focus's are groups of letters.
constexpr qsizetype kFewWords = 30;

} // namespace

Review::Review(std::span<const ReviewWord> words)
{
    for (const ReviewWord &w : words) {
        const QString text = QString::fromUtf8(w.text);
        m_known.insert(text, int(m_words.size()));
        m_words.append(text);
    }
    index();
}

void Review::setTaught(const QString &characters)
{
    m_taught = QSet<QChar>(characters.begin(), characters.end());
    index();
}

bool Review::usable(const QString &word) const
{
    return m_taught.isEmpty() ||
           std::all_of(word.begin(), word.end(), [this](QChar c) { return m_taught.contains(c); });
}

void Review::index()
{
    m_usable.clear();
    m_holding.clear();
    m_starting.clear();
    for (int i = 0; i < m_words.size(); ++i) {
        const QString &text = m_words[i];
        if (text.isEmpty() || !usable(text))
            continue;
        m_usable.append(i);
        QSet<QChar> seen;
        for (QChar c : text) {
            if (!seen.contains(c))
                m_holding[c].append(i);
            seen.insert(c);
        }
        m_starting[text.front()].append(i);
    }
}

void Review::start(const QList<progress::KeyStat> &keys, const QList<progress::Confusion> &confusions,
                   quint32 seed, bool goOn)
{
    m_focus.setHistory(keys, confusions, goOn);
    m_random.seed(seed);
    m_turn = 0;
}

QString Review::instruction() const
{
    if (!m_focus.hasHistory())
        return QStringLiteral("Révision\u00a0: pas encore de séance — la rangée de repos, qsdf jklm");
    const QStringList &keys = m_focus.focus();
    if (keys.isEmpty())
        return QStringLiteral("Révision\u00a0: aucun caractère à revoir — des mots courants");
    QString names = keys.constLast();
    if (keys.size() > 1)
        names = keys.first(keys.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" et ") + names;
    return QStringLiteral("Révision\u00a0: %1 — vos caractères les plus manqués").arg(names);
}

int Review::skewed(qsizetype size)
{
    // Squaring a uniform draw: the common words come up most, the rare ones
    // still do.
    const double u = m_random.generateDouble();
    return int(std::min<qsizetype>(size - 1, qsizetype(u * u * double(size))));
}

QString Review::wordWith(QChar letter, bool first)
{
    const QList<int> &list = (first ? m_starting : m_holding).value(letter);
    if (list.isEmpty())
        return {};
    // Of a few common words, the one where the focus characters weigh most
    // in the line (its space counted): "kilo" rather than "kilomètres".
    QString best;
    double bestDensity = -1;
    for (int draw = 0; draw < 24; ++draw) {
        const QString &word = m_words[list[skewed(list.size())]];
        qsizetype hits = 0;
        for (QChar c : word)
            hits += m_weak.contains(c) ? 1 : 0;
        // A word already in the line counts for little: lines of "ça ça ça" teach less.
        const double density = double(hits) / double(word.size() + 1) / (m_used.contains(word) ? 4 : 1);
        if (density > bestDensity) {
            best = word;
            bestDensity = density;
        }
    }
    return best;
}

QString Review::focusToken(const QString &key)
{
    const QChar c = key.front();
    if (c.isDigit()) {
        // A number of one to four digits holding it.
        const int length = 1 + int(m_random.bounded(4));
        const int at = int(m_random.bounded(length));
        QString number;
        for (int i = 0; i < length; ++i)
            number += i == at ? c : QChar(u'0' + (i == 0 ? 1 + m_random.bounded(9) : m_random.bounded(10)));
        return number;
    }
    if (c.isLetter()) {
        const QChar lower = c.toLower();
        if (c.isLower() || c == lower)
            if (const QString w = wordWith(lower, false); !w.isEmpty())
                return w;
        if (c.isUpper()) {
            if (const QString w = wordWith(lower, true); !w.isEmpty())
                return w.front().toUpper() + w.mid(1);
            if (const QString w = wordWith(lower, false); !w.isEmpty())
                return w.toUpper();
        }
        // No word of the taught characters holds it yet.
        return groupToken(c);
    }
    // A sign some words hold (the hyphen of presse-papiers), else the sign
    // the way French writes it.
    if (const QString w = wordWith(c, false); !w.isEmpty())
        return w;
    return signToken(c);
}

QString Review::commonWord()
{
    // A word of four letters or more: « de » or de@exemple.fr reads as no text.
    QString word;
    for (int draw = 0; draw < 8 && word.size() < 4 && !m_usable.isEmpty(); ++draw)
        word = m_words[m_usable[skewed(qMin<qsizetype>(m_usable.size(), 300))]];
    return word.isEmpty() ? groupToken() : word;
}

QString Review::number(int low, int high)
{
    return QString::number(low + int(m_random.bounded(high - low + 1)));
}

QString Review::signToken(QChar sign)
{
    const QString word = commonWord();
    switch (sign.unicode()) {
    case ',':
    case '.':
    case u'…': return word + sign;
    case ';':
    case ':':
    case '!':
    case '?': return word + kNbsp + sign;
    case '(':
    case ')': return QLatin1Char('(') + word + QLatin1Char(')');
    case u'«':
    case u'»': return QStringLiteral("«") + kNbsp + word + kNbsp + QStringLiteral("»");
    case '"': return QLatin1Char('"') + word + QLatin1Char('"'); // quotes inside « »
    case '\'':
    case u'’': {
        QList<const Elision *> known;
        for (const Elision &e : kElisions)
            if (knows(QString::fromUtf16(e.word)) && usable(QString::fromUtf16(e.word)) &&
                usable(QString::fromUtf16(e.before)))
                known.append(&e);
        if (known.isEmpty())
            break;
        const Elision *e = known[m_random.bounded(int(known.size()))];
        return QString::fromUtf16(e->before) + sign + QString::fromUtf16(e->word);
    }
    case '%': return number(2, 99) + kNbsp + sign;
    case u'€':
    case '$':
    case u'£': return number(1, 99) + QLatin1Char(',') + number(10, 99) + kNbsp + sign;
    case '@': return word + sign + QStringLiteral("exemple.fr");
    case u'°': return number(2, 40) + kNbsp + sign + QLatin1Char('C');
    case '+':
    case '*':
    case '/':
    case '<':
    case '>':
    case '=': {
        const int a = 1 + int(m_random.bounded(9));
        const int b = 1 + int(m_random.bounded(9));
        if (sign == QLatin1Char('='))
            return QStringLiteral("%1 + %2 = %3").arg(a).arg(b).arg(a + b);
        if (sign == QLatin1Char('/'))
            return QStringLiteral("%1/%2").arg(a).arg(b);
        return QStringLiteral("%1 %2 %3").arg(a).arg(sign).arg(b);
    }
    default: break;
    }
    // A sign French text has no place for: alone, never glued to a word.
    return QString(sign);
}

QString Review::goodToken(const QStringList &good)
{
    QSet<QChar> letters;
    for (const QString &g : good)
        letters.insert(g.front());
    // Among the common words, one made of good characters; with too few of
    // them known, one without any focus character.
    QList<int> fit;
    QList<int> clear;
    for (int i = 0; i < m_usable.size() && i < 400; ++i) {
        bool allGood = true;
        bool anyWeak = false;
        for (QChar c : m_words[m_usable[i]]) {
            allGood = allGood && letters.contains(c);
            anyWeak = anyWeak || m_weak.contains(c);
        }
        if (allGood)
            fit.append(m_usable[i]);
        if (!anyWeak)
            clear.append(m_usable[i]);
    }
    // Too few words of the taught characters yet: groups of them, as the
    // first exercises give.
    if (m_usable.size() < kFewWords)
        return groupToken();
    const QList<int> &from = fit.size() >= 10 ? fit : clear;
    if (from.isEmpty())
        return m_words[m_usable[skewed(m_usable.size())]];
    return m_words[from[skewed(from.size())]];
}

QString Review::groupToken(QChar letter)
{
    // Letters only, from the home row until the exercises teach more.
    QString from = kHomeRow;
    for (QChar c : std::as_const(m_taught))
        if (c.isLower() && !from.contains(c))
            from += c;
    std::sort(from.begin(), from.end()); // a set's order would change the lines of a seed
    const int length = 2 + int(m_random.bounded(letter.isNull() ? 4 : 3));
    const int at = letter.isNull() ? -1 : int(m_random.bounded(length));
    QString token;
    for (int i = 0; i < length; ++i)
        token += i == at ? letter : from[m_random.bounded(int(from.size()))];
    return token;
}

QString Review::nextLine()
{
    const QStringList focus = m_focus.focus();
    m_weak.clear();
    for (const QString &f : focus)
        m_weak.insert(f.front().toLower());
    const QStringList good = m_focus.goodCharacters();
    QString line;
    m_used.clear();
    for (int attempt = 0; attempt < 40; ++attempt) {
        QString token;
        if (!m_focus.hasHistory()) {
            token = groupToken();
        } else if (!focus.isEmpty() && m_random.generateDouble() < kFocusShare) {
            // Each focus character in turn, now and then the one it is
            // mistaken for.
            const QString key = focus[m_turn++ % focus.size()];
            const QString partner = m_focus.partner(key);
            const bool contrast = !partner.isEmpty() && m_random.generateDouble() < kPartnerShare;
            token = focusToken(contrast ? partner : key);
        } else {
            token = goodToken(good);
        }
        if (token.isEmpty())
            continue;
        if (line.size() + 1 + token.size() > kLineLength) {
            if (line.size() >= kLineLength * 3 / 4)
                break;
            continue;
        }
        if (!line.isEmpty())
            line += QLatin1Char(' ');
        line += token;
        m_used.insert(token.toLower());
    }
    return line;
}

QString taughtCharacters(const QList<std::int32_t> &passedExercises)
{
    QString taught = kHomeRow + QLatin1Char(' ');
    const auto add = [&taught](const QString &characters) {
        for (QChar c : characters)
            if (!taught.contains(c))
                taught += c;
    };
    for (std::int32_t code : passedExercises)
        if (const ExerciseText *exercise = exerciseText(code))
            add(QString::fromUtf8(exercise->models[0]));
    if (taught.contains(QLatin1Char('^')))
        add(QStringLiteral("âêîôû"));
    return taught;
}

} // namespace drills
