// The review's word list: common French words, most frequent first, built
// with the program from a frequency list (src/drills/words) less a blocklist.
#pragma once
#include <span>

namespace drills {

struct ReviewWord
{
    const char *text; // lowercase, UTF-8
    int frequency;    // a rank: the most frequent word has the highest
};

std::span<const ReviewWord> reviewWords();

} // namespace drills
