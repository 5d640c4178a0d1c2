// Scoring of the timed copy test and the text of its attestation.
#include "drills/copytest.h"

#include "drills/owntext.h"

#include <QCryptographicHash>
#include <QLocale>

#include <algorithm>

namespace drills {

namespace {
constexpr char16_t kNoBreakSpace = 0x00A0;
constexpr char16_t kNarrowNoBreakSpace = 0x202F;
constexpr char16_t kApostrophe = 0x2019;
// Errors shown in the result, the first ones.
constexpr int kErrorsListed = 200;
} // namespace

QString copyTestModel(const QString &text)
{
    QString model;
    model.reserve(text.size());
    bool blank = false;
    for (QChar c : text) {
        if (c == owntext::kSkipSign)
            continue;
        if (c.isSpace() && c != kNoBreakSpace && c != kNarrowNoBreakSpace) {
            blank = !model.isEmpty();
            continue;
        }
        if (blank)
            model += u' ';
        blank = false;
        model += c;
    }
    return model;
}

QString wrappedModel(const QString &model, qsizetype length)
{
    if (model.isEmpty())
        return model;
    QString wrapped = model;
    while (wrapped.size() < length)
        wrapped += u' ' + model;
    return wrapped;
}

bool copyMatches(QChar expected, QChar typed)
{
    if (expected == typed)
        return true;
    if (expected == kApostrophe)
        return typed == u'\'';
    if (expected == kNoBreakSpace || expected == kNarrowNoBreakSpace)
        return typed == u' ';
    if (expected == u'«' || expected == u'»')
        return typed == u'"';
    if (expected == u'–' || expected == u'—')
        return typed == u'-';
    return false;
}

double CopyScore::grossWpm() const
{
    return ms > 0 ? double(typed) / kCharactersPerWord / minutes() : 0.0;
}

double CopyScore::netWpm() const
{
    return ms > 0 ? std::max(0.0, grossWpm() - errors / minutes()) : 0.0;
}

double CopyScore::keysPerMinute() const
{
    return ms > 0 ? keystrokes / minutes() : 0.0;
}

double CopyScore::accuracy() const
{
    return typed > 0 ? 100.0 * double(typed - errors) / double(typed) : 0.0;
}

CopyScore scoreCopy(const QString &model, QStringView typed, int keystrokes, qint64 ms)
{
    CopyScore score;
    score.typed = typed.size();
    score.keystrokes = keystrokes;
    score.ms = ms;
    const QString expected = wrappedModel(model, typed.size());
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar want = i < expected.size() ? expected.at(i) : QChar();
        if (copyMatches(want, typed.at(i)))
            continue;
        ++score.errors;
        if (score.errorList.size() < kErrorsListed)
            score.errorList.append({i, want, typed.at(i)});
    }
    return score;
}

QString attestationCode(const QString &learnerUuid, const QString &sessionUuid, int netTenths,
                        int accuracyTenths)
{
    const QByteArray what = QStringLiteral("tapivox-attestation|%1|%2|%3|%4")
                                .arg(learnerUuid, sessionUuid)
                                .arg(netTenths)
                                .arg(accuracyTenths)
                                .toUtf8();
    const QByteArray digest = QCryptographicHash::hash(what, QCryptographicHash::Sha256);
    // Ten characters, in two groups, without the letters read as digits.
    static const char kAlphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    QString code;
    for (int i = 0; i < 10; ++i) {
        if (i == 5)
            code += u'-';
        code += QLatin1Char(kAlphabet[static_cast<unsigned char>(digest.at(i)) % 32]);
    }
    return code;
}

QString frenchDecimal(double value)
{
    return QLocale(QLocale::French, QLocale::France).toString(value, 'f', 1);
}

QStringList attestationLines(const Attestation &a)
{
    const QLocale french(QLocale::French, QLocale::France);
    QStringList words = a.text.split(u' ', Qt::SkipEmptyParts).mid(0, 8);
    QString first = words.join(u' ');
    if (a.text.split(u' ', Qt::SkipEmptyParts).size() > 8)
        first += QStringLiteral("…");
    return {
        QStringLiteral("Attestation de résultat — Tapivox"),
        QString(),
        QStringLiteral("Apprenant\u00a0: %1").arg(a.learner),
        QStringLiteral("Date\u00a0: %1")
            .arg(french.toString(a.when, QStringLiteral("d MMMM yyyy 'à' HH'\u00a0h\u00a0'mm"))),
        QStringLiteral("Épreuve chronométrée\u00a0: %1\u00a0min, %2")
            .arg(a.minutes)
            .arg(a.corrections ? QStringLiteral("corrections permises (Retour arrière)")
                               : QStringLiteral("sans correction (Retour arrière refusé)")),
        QStringLiteral("Texte\u00a0: «\u00a0%1\u00a0»").arg(first),
        QString(),
        QStringLiteral("Vitesse nette\u00a0: %1\u00a0mots/min").arg(frenchDecimal(a.netWpm)),
        QStringLiteral("Précision\u00a0: %1\u00a0%").arg(frenchDecimal(a.accuracy)),
        QString(),
        QStringLiteral("Code de contrôle\u00a0: %1").arg(a.code),
        QString(),
        QStringLiteral("Ce résultat a été obtenu dans le logiciel Tapivox, sur l'ordinateur de l'apprenant."),
        QStringLiteral("Ce n'est pas un diplôme."),
        QStringLiteral("Le code de contrôle permet à l'enseignant de vérifier"),
        QStringLiteral("que cette page correspond à l'historique de l'apprenant."),
    };
}

} // namespace drills
