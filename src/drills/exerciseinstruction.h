// The instruction line of the exercises for the French characters, told for
// the learner's own layout: the written line where the keys are those of the
// French layout, otherwise each character with the keys that type it there.
#pragma once
#include <QString>

#include <cstdint>

namespace keyboard {
class KeyModel;
}

namespace drills {

// How a character is typed, briefly: "Maj+é", "^ Maj+o", "Verr. Maj é",
// "Alt Gr+espace"; its plain stand-in in quotes, instead ("oe" where the
// layout has no œ) or besides (' for ’); or that the lesson writes it.
QString keysFor(const keyboard::KeyModel &layout, QChar c);

// The instruction of exercise `code` on `layout`, given the French layout
// the written instructions are for (null when it cannot be built). Codes
// without named keys give their written instruction.
QString instructionFor(std::int32_t code, const keyboard::KeyModel &layout, const keyboard::KeyModel *french);

// The same on the learner's live layout.
QString liveInstruction(std::int32_t code);

} // namespace drills
