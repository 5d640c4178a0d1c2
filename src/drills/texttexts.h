// The seven texts of the text lesson as constant tables of lines.
#pragma once
#include <span>

struct TextLine
{
    enum class Style { Regular, Bold };
    Style style;
    const char *text; // UTF-8; tabs are tab characters
};

// The lines of text 1..7 in order; empty for any other code.
std::span<const TextLine> textLines(int code);
