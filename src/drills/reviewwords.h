// The review's word list: real French words, most frequent in the program's
// own texts first, built with the program from those texts and the system's
// French word list.
#pragma once
#include <span>

namespace drills {

struct ReviewWord
{
    const char *text; // lowercase, UTF-8
    int frequency;    // in the program's texts; 0 for a word only the word list gave
};

std::span<const ReviewWord> reviewWords();

} // namespace drills
