// The phrase categories, as constant tables: a title and two pages of three
// phrases each.
#pragma once
#include <cstdint>

namespace drills {

inline constexpr int CategoryCount = 6;
inline constexpr int PageCount = 2;

// One category (UTF-8): pages[0] is page 1.
struct PhraseCategory
{
    const char *title;
    struct Page
    {
        const char *phrases[3];
    } pages[PageCount];
};

// The category of code 1..6, or nullptr for any other code.
const PhraseCategory *phraseCategory(std::int32_t code);

} // namespace drills
