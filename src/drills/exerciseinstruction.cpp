// Instruction lines told from the keyboard model.
#include "drills/exerciseinstruction.h"

#include "drills/exercisetexts.h"
#include "keymodel/keymodel.h"

namespace drills {

namespace {

bool sameSteps(const keyboard::HowToType &a, const keyboard::HowToType &b)
{
    if (a.steps.size() != b.steps.size())
        return false;
    for (qsizetype i = 0; i < a.steps.size(); ++i) {
        const keyboard::KeyStep &x = a.steps.at(i);
        const keyboard::KeyStep &y = b.steps.at(i);
        if (x.kind != y.kind || x.keycodes != y.keycodes || x.shift != y.shift || x.altGr != y.altGr)
            return false;
    }
    return true;
}

// A key by what it types alone, as its cap reads.
QString keyName(const keyboard::KeyModel &layout, int keycode)
{
    const QChar c = layout.character(keycode, 0);
    if (c.isNull())
        return QStringLiteral("?");
    if (c == QLatin1Char(' '))
        return QStringLiteral("espace");
    return QString(c);
}

// The character as the line shows it; the blanks by name.
QString shown(QChar c)
{
    if (c == QChar(0x00A0))
        return QStringLiteral("insécable");
    if (c == QLatin1Char(' '))
        return QStringLiteral("espace");
    return QString(c);
}

} // namespace

QString keysFor(const keyboard::KeyModel &layout, QChar c)
{
    const keyboard::HowToType how = layout.howToType(c);
    const keyboard::Acceptance accepted = keyboard::acceptance(layout, c);
    const QString standIn =
        accepted.standIn.isEmpty()
            ? QString()
            : QStringLiteral("«\u00a0%1\u00a0»")
                  .arg(accepted.standIn == QLatin1String(" ") ? QStringLiteral("espace") : accepted.standIn);
    if (!how.typable())
        return accepted.skipped() ? QStringLiteral("(absent\u00a0: la leçon l'écrit)") : standIn;
    QStringList parts;
    bool capsLock = false;
    for (const keyboard::KeyStep &step : how.steps) {
        if (step.kind == keyboard::KeyStep::CapsLock) {
            // Locked before the letter, unlocked after it: named once.
            if (!capsLock)
                parts << QStringLiteral("Verr. Maj");
            capsLock = true;
            continue;
        }
        QString press;
        if (step.shift)
            press += QStringLiteral("Maj+");
        if (step.altGr)
            press += QStringLiteral("Alt Gr+");
        parts << press + keyName(layout, step.key());
    }
    if (!standIn.isEmpty())
        parts << QStringLiteral("ou") << standIn;
    return parts.join(QLatin1Char(' '));
}

QString instructionFor(std::int32_t code, const keyboard::KeyModel &layout, const keyboard::KeyModel *french)
{
    const ExerciseText *text = exerciseText(code);
    if (!text)
        return QString();
    const QString written = QString::fromUtf8(text->instruction);
    const ExerciseKeys *keys = exerciseKeys(code);
    if (!keys || !french)
        return written;
    const QString characters = QString::fromUtf8(keys->characters);
    bool same = true;
    for (QChar c : characters)
        same = same && sameSteps(layout.howToType(c), french->howToType(c));
    if (same)
        return written;
    QStringList told;
    for (QChar c : characters)
        told << shown(c) + QLatin1Char(' ') + keysFor(layout, c);
    return QString::fromUtf8(keys->title) + QStringLiteral(". ") + told.join(QStringLiteral(", "));
}

QString liveInstruction(std::int32_t code)
{
    static const std::unique_ptr<keyboard::KeyModel> french =
        keyboard::KeyModel::fromLayoutName(QStringLiteral("fr"));
    return instructionFor(code, keyboard::LiveKeyModel::instance().model(), french.get());
}

} // namespace drills
