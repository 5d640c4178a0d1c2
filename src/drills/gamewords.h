// The game's constant texts (UTF-8): the letters of the letters game, the
// words of the words game, the instructions and captions of the game window.
#pragma once

namespace game {

// The 26 lowercase letters in keyboard order.
extern const char kLetters[];
constexpr int kLetterCount = 26;

// The words of the words game, numbered 1..20 in the list (index 0..19 here).
constexpr int kWordCount = 20;
extern const char *const kWords[kWordCount];

extern const char kLettersInstruction[];
extern const char kWordsInstruction[];
extern const char kCaption[];
extern const char kPlay[];

} // namespace game
