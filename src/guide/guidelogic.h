// What the guide shows for the next thing to type: the keys to light, in the
// order they are pressed, and the French sentence naming the fingers. No
// widget here: the band feeds it what the lesson expects and what the
// learner pressed.
#pragma once
#include "keymodel/keymodel.h"

#include <QHash>
#include <QList>
#include <QString>

namespace guide {

struct GuideState
{
    QList<int> lit;  // X keycodes, modifiers first, in the order pressed
    int missed = 0;  // after a refused key: the key that was expected (red outline)
    int pressed = 0; // and the key that was pressed instead (grey)
    QString sentence;
    friend bool operator==(const GuideState &, const GuideState &) = default;
};

class GuideLogic final
{
public:
    // The model is not owned; null shows nothing. A model that types the
    // expected character as the previous one did keeps the guide's step, its
    // marks and the key discovered.
    void setModel(const keyboard::KeyModel *model);
    const keyboard::KeyModel *model() const { return m_model; }

    // The next character to type, a key name of the key drill ("Tabulation",
    // "F5"), "\n" for Entrée; empty when nothing is expected. A new text
    // starts at its first step and forgets the marks of a refused key.
    // standInTyped: the keys of the character's plain stand-in typed so far
    // ("o" of "oe"); passed: the characters the lesson has just passed over,
    // which the layout cannot type (said once for each).
    void expect(const QString &expected, int standInTyped = 0, const QString &passed = QString());
    const QString &expected() const { return m_expected; }

    // Caps Lock as the learner left it: when it is on, the next character
    // first asks to release it (unless it is a capital that only it gives).
    void setCapsLock(bool on);
    bool capsLock() const { return m_capsLock; }

    // The learner pressed a key that types no character yet (a dead key,
    // Caps Lock): the guide moves to the next step when it is the key of
    // the step in progress. deadCharacter: the dead key's spacing character,
    // null for Caps Lock.
    bool keyPressed(QChar deadCharacter, bool capsLockKey);

    // A refused key: the expected key outlined, the key of `typed` greyed,
    // until the next expect().
    void refused(const QString &typed);

    // Discovery: the key just pressed, by X keycode (0 when unknown), else by
    // the character it typed, else by its virtual-key code.
    void discovered(int keycode, const QString &text, int virtualKey);

    const GuideState &state() const { return m_state; }
    int step() const { return m_step; }

    // The label a key gets in a sentence: the capital of a letter key, the
    // character it types, or the key's name (« Entrée », « Maj gauche »).
    QString keyLabel(int keycode) const;

private:
    const keyboard::HowToType &stepsFor(QChar c) const;
    void addSteps(QChar c);
    void rebuild();
    QString stepText(const keyboard::KeyStep &step, QChar character) const;
    void reexpect();
    void showDiscovered();

    const keyboard::KeyModel *m_model = nullptr;
    QString m_expected;
    bool m_capsLock = false;
    int m_step = 0;
    QList<keyboard::KeyStep> m_steps; // the steps still shown, from m_step
    QList<QChar> m_stepCharacters;    // the character a step completes, if any
    int m_standInTyped = 0;
    QString m_standIn; // the stand-in the steps type, for a character the layout lacks
    QString m_passed;
    QString m_told; // the characters passed over that the guide has named
    QString m_note; // and the sentence naming them, before the next one
    GuideState m_state;
    int m_discovered = 0; // the key named in discovery, by X keycode
    mutable QHash<QChar, keyboard::HowToType> m_cache;
};

// The sentence for characters that neither the layout nor a stand-in can
// give: « € : introuvable sur ce clavier, la leçon le passe ».
QString missingSentence(const QString &characters);

} // namespace guide
