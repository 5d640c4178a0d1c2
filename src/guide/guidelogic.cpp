// The guide's steps and sentences, from the keyboard model.
#include "guide/guidelogic.h"

#include "keyboard/keydrill.h"
#include "ui/keycodes.h"

#include <QStringList>

namespace guide {

namespace {

using keyboard::KeyStep;

constexpr int kLeftShift = 50; // X keycodes
constexpr int kCapsLock = 66;

QString lowerFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

int levelOf(const KeyStep &step)
{
    return (step.shift ? 1 : 0) + (step.altGr ? 2 : 0);
}

const keyboard::PhysicalKey *physical(int keycode)
{
    return keycode > 8 ? keyboard::keyByEvdev(keycode - 8) : nullptr;
}

QString characterLabel(QChar c)
{
    if (c == u' ')
        return QStringLiteral("espace");
    if (c == QChar(0x00A0) || c == QChar(0x202F))
        return QStringLiteral("espace insécable");
    if (c == u'\t')
        return QStringLiteral("Tabulation");
    if (c == u'\n' || c == u'\r')
        return QStringLiteral("Entrée");
    return QString(c);
}

// The key drill asks for keys by name: the key of that name.
int drillKeycode(const QString &name)
{
    for (int i = 0; i < keyboard::KeyDrill::kKeyCount; ++i) {
        const keyboard::KeyDrill::Key &key = keyboard::KeyDrill::key(i);
        if (name == QString::fromUtf8(key.name)) {
            const keyboard::PhysicalKey *k = keyboard::keyByVirtualKey(key.virtualKey);
            return k ? keyboard::xKeycode(*k) : 0;
        }
    }
    return 0;
}

// « Touche E : majeur gauche », « Touche F5 ».
QString keySentence(const QString &label, int keycode)
{
    const keyboard::PhysicalKey *key = physical(keycode);
    const QString finger = key ? keyboard::fingerName(key->finger) : QString();
    if (finger.isEmpty())
        return QStringLiteral("Touche %1").arg(label);
    return QStringLiteral("Touche %1\u00a0: %2").arg(label, lowerFirst(finger));
}

// The key that types a control character the model may not list.
keyboard::HowToType controlKey(QChar c)
{
    keyboard::HowToType how;
    how.character = c;
    const int vk = c == u'\t' ? ui::vk::Tab : ui::vk::Return;
    if (const keyboard::PhysicalKey *key = keyboard::keyByVirtualKey(vk)) {
        KeyStep step;
        step.keycodes = {keyboard::xKeycode(*key)};
        how.steps = {step};
    }
    return how;
}

} // namespace

void GuideLogic::setModel(const keyboard::KeyModel *model)
{
    const QList<KeyStep> steps = m_steps;
    const QList<QChar> stepCharacters = m_stepCharacters;
    const int step = m_step;
    const GuideState marks = m_state;
    const int discovered = m_discovered;
    m_model = model;
    m_cache.clear();
    m_told.clear();
    reexpect();
    // The learner is half-way through the same keys (a dead key pressed):
    // the guide stays where they are.
    if (m_steps == steps && m_stepCharacters == stepCharacters) {
        m_step = step;
        m_state.missed = marks.missed;
        m_state.pressed = marks.pressed;
        rebuild();
    }
    if (discovered && m_expected.isEmpty()) {
        m_discovered = discovered;
        showDiscovered();
    }
}

// The same expectation, its steps read again.
void GuideLogic::reexpect()
{
    const QString expected = m_expected;
    m_expected = QString(QChar(0xFFFF));
    expect(expected, m_standInTyped, m_passed);
}

const keyboard::HowToType &GuideLogic::stepsFor(QChar c) const
{
    auto it = m_cache.constFind(c);
    if (it == m_cache.constEnd()) {
        keyboard::HowToType how = m_model->howToType(c == u'\r' ? QChar(u'\n') : c);
        if (!how.typable() && (c == u'\n' || c == u'\r' || c == u'\t'))
            how = controlKey(c);
        it = m_cache.insert(c, how);
    }
    return *it;
}

void GuideLogic::expect(const QString &expected, int standInTyped, const QString &passed)
{
    if (expected == m_expected && standInTyped == m_standInTyped && passed == m_passed)
        return;
    if (passed != m_passed) {
        // Each character passed over is named once, before the next key.
        QString untold;
        for (QChar c : passed)
            if (!m_told.contains(c) && !untold.contains(c))
                untold += c;
        m_told += untold;
        m_note = untold.isEmpty() ? QString() : missingSentence(untold);
    }
    m_expected = expected;
    m_standInTyped = standInTyped;
    m_passed = passed;
    m_discovered = 0;
    m_step = 0;
    m_state.missed = 0;
    m_state.pressed = 0;
    m_steps.clear();
    m_stepCharacters.clear();
    m_standIn.clear();
    if (m_model && expected.size() == 1) {
        const QChar c = expected.front();
        if (stepsFor(c).typable()) {
            addSteps(c);
        } else {
            // The keys of the stand-in, from the first one not typed yet.
            m_standIn = keyboard::acceptance(*m_model, c).standIn;
            for (qsizetype i = qMax(0, standInTyped); i < m_standIn.size(); ++i)
                addSteps(m_standIn.at(i));
        }
        // The trailing unlock of a Caps Lock capital is asked before the next
        // character instead, when the lock is still on.
        if (m_steps.size() > 1 && m_steps.constLast().kind == KeyStep::CapsLock) {
            m_steps.removeLast();
            m_stepCharacters.removeLast();
        }
        if (m_capsLock && !m_steps.isEmpty()) {
            if (m_steps.constFirst().kind == KeyStep::CapsLock) {
                m_steps.removeFirst();
                m_stepCharacters.removeFirst();
            } else {
                KeyStep unlock;
                unlock.kind = KeyStep::CapsLock;
                unlock.keycodes = {kCapsLock};
                m_steps.prepend(unlock);
                m_stepCharacters.prepend(QChar());
            }
        }
    }
    rebuild();
}

// The steps of c, the character marked on its last press.
void GuideLogic::addSteps(QChar c)
{
    const QList<KeyStep> &steps = stepsFor(c).steps;
    qsizetype last = steps.size() - 1;
    while (last > 0 && steps.at(last).kind != KeyStep::Press)
        --last;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        m_steps << steps.at(i);
        m_stepCharacters << (i == last ? c : QChar());
    }
}

void GuideLogic::setCapsLock(bool on)
{
    if (on == m_capsLock)
        return;
    m_capsLock = on;
    reexpect();
}

bool GuideLogic::keyPressed(QChar deadCharacter, bool capsLockKey)
{
    const bool marked = m_state.missed || m_state.pressed;
    m_state.missed = 0;
    m_state.pressed = 0;
    if (m_step < m_steps.size()) {
        const KeyStep &current = m_steps.at(m_step);
        const bool done = capsLockKey
                              ? current.kind == KeyStep::CapsLock
                              : !deadCharacter.isNull() && current.kind == KeyStep::DeadKey &&
                                    m_model->character(current.key(), levelOf(current)) == deadCharacter;
        if (done) {
            if (capsLockKey)
                m_capsLock = !m_capsLock;
            ++m_step;
            rebuild();
            return true;
        }
    }
    if (capsLockKey) {
        setCapsLock(!m_capsLock);
        return true;
    }
    return marked;
}

void GuideLogic::refused(const QString &typed)
{
    if (m_step < m_steps.size())
        m_state.missed = m_steps.at(m_step).key();
    m_state.pressed = 0;
    if (m_model && typed.size() == 1) {
        const keyboard::HowToType &how = stepsFor(typed.front());
        if (how.typable())
            m_state.pressed = how.steps.constLast().key();
    }
}

void GuideLogic::discovered(int keycode, const QString &text, int virtualKey)
{
    m_expected.clear();
    m_steps.clear();
    m_stepCharacters.clear();
    m_step = 0;
    m_state = GuideState{};
    if (!physical(keycode)) {
        keycode = 0;
        if (m_model && text.size() == 1 && text.front().isPrint() && text.front() != u' ') {
            const keyboard::HowToType &how = stepsFor(text.front());
            if (how.typable())
                keycode = how.steps.constLast().key();
        }
        if (!keycode)
            if (const keyboard::PhysicalKey *key = keyboard::keyByVirtualKey(virtualKey))
                keycode = keyboard::xKeycode(*key);
    }
    m_discovered = keycode;
    showDiscovered();
}

void GuideLogic::showDiscovered()
{
    if (!m_discovered)
        return;
    m_state.lit = {m_discovered};
    m_state.sentence = keySentence(keyLabel(m_discovered), m_discovered);
}

QString GuideLogic::keyLabel(int keycode) const
{
    const keyboard::PhysicalKey *key = physical(keycode);
    const QString name = key ? keyboard::shortKeyName(*key) : QString();
    if (!name.isEmpty() || !m_model)
        return name;
    const QString cap = m_model->keycap(keycode);
    if (cap.size() == 1 && cap.front().isLetter())
        return cap;
    const QChar plain = m_model->character(keycode, 0);
    if (!plain.isNull() && plain.isPrint())
        return characterLabel(plain);
    return cap;
}

QString GuideLogic::stepText(const KeyStep &step, QChar character) const
{
    if (step.kind == KeyStep::CapsLock)
        return QStringLiteral("Verr. Maj");
    const int keycode = step.key();
    const keyboard::PhysicalKey *key = physical(keycode);
    QString label;
    if (step.kind == KeyStep::DeadKey) {
        label = QStringLiteral("%1 (touche morte)").arg(m_model->character(keycode, levelOf(step)));
    } else if (!character.isNull()) {
        label = characterLabel(character);
    } else {
        const QString cap = m_model->keycap(keycode);
        const QChar typed = m_model->character(keycode, levelOf(step));
        label = cap.size() == 1 && cap.front().isLetter() ? cap
                : !typed.isNull()                         ? characterLabel(typed)
                                                          : keyLabel(keycode);
    }
    QStringList held;
    if (step.shift)
        held << (step.keycodes.contains(kLeftShift) ? QStringLiteral("Maj gauche")
                                                    : QStringLiteral("Maj droite"));
    if (step.altGr)
        held << QStringLiteral("Alt Gr");
    if (!held.isEmpty())
        label += QStringLiteral(", avec ") + held.join(QStringLiteral(" et "));
    const QString finger = key ? keyboard::fingerName(key->finger) : QString();
    if (finger.isEmpty())
        return QStringLiteral("Touche %1").arg(label);
    return QStringLiteral("%1\u00a0: %2").arg(finger, label);
}

void GuideLogic::rebuild()
{
    m_state.lit.clear();
    m_state.sentence.clear();
    if (!m_model || m_expected.isEmpty())
        return;
    if (m_expected.size() > 1) { // a key of the key drill
        const int keycode = drillKeycode(m_expected);
        if (keycode) {
            m_state.lit = {keycode};
            m_state.sentence = keySentence(m_expected, keycode);
        }
        return;
    }
    const QChar c = m_expected.front();
    const auto withNote = [this](const QString &sentence) {
        return m_note.isEmpty() ? sentence : m_note + QStringLiteral(". ") + sentence;
    };
    if (m_steps.isEmpty()) {
        m_state.sentence = withNote(missingSentence(QString(c)));
        return;
    }
    if (m_step >= m_steps.size())
        return;
    m_state.lit = m_steps.at(m_step).keycodes;
    QStringList parts;
    for (int i = m_step; i < m_steps.size(); ++i) {
        const KeyStep &step = m_steps.at(i);
        // The last key of a character names it where the key's letter does
        // not say it: AltGr, a capital that Caps Lock gives, a space.
        QChar named;
        if (!m_stepCharacters.at(i).isNull() && step.kind == KeyStep::Press) {
            const QString cap = m_model->keycap(step.key());
            const bool letterKey = cap.size() == 1 && cap.front().isLetter();
            const bool afterDead = i > 0 && m_steps.at(i - 1).kind == KeyStep::DeadKey;
            if ((!letterKey || step.altGr) && !afterDead)
                named = m_stepCharacters.at(i);
        }
        const QString text = stepText(step, named);
        parts << (parts.isEmpty() ? text : lowerFirst(text));
    }
    QString sentence;
    // "..." for …: one key three times.
    if (!m_standIn.isEmpty() && parts.size() > 1 &&
        parts.count(lowerFirst(parts.constFirst())) == parts.size() - 1)
        sentence = parts.constFirst() + (parts.size() == 2   ? QStringLiteral(", deux fois")
                                         : parts.size() == 3 ? QStringLiteral(", trois fois")
                                                             : QStringLiteral(", %1 fois").arg(parts.size()));
    else
        sentence = parts.join(QStringLiteral(", puis "));
    if (!m_standIn.isEmpty()) {
        sentence += QStringLiteral(" (pour %1)")
                        .arg(c == QChar(0x00A0)   ? QStringLiteral("l'espace insécable")
                             : c == QChar(0x202F) ? QStringLiteral("l'espace fine insécable")
                                                  : QString(c));
    } else if (const QString besides = keyboard::acceptance(*m_model, c).standIn; !besides.isEmpty()) {
        sentence += besides == QLatin1String("'") ? QStringLiteral(" — ou l'apostrophe '")
                                                  : QStringLiteral(" — ou «\u00a0%1\u00a0»").arg(besides);
    }
    m_state.sentence = withNote(sentence);
}

QString missingSentence(const QString &characters)
{
    QStringList labels;
    for (QChar c : characters)
        labels << characterLabel(c);
    if (labels.size() == 1)
        return QStringLiteral("%1\u00a0: introuvable sur ce clavier, la leçon le passe")
            .arg(labels.constFirst());
    return QStringLiteral("%1\u00a0: introuvables sur ce clavier, la leçon les passe")
        .arg(labels.join(QStringLiteral(", ")));
}

} // namespace guide
