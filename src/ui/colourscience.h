// Colour arithmetic for choosing colours people can tell apart: sRGB to CIE
// Lab, the CIEDE2000 difference, how an eye without one kind of cone sees a
// colour, and the contrast ratio of text on its background. No widgets.
#pragma once

namespace ui::colour {

// 8-bit sRGB, as a colour is written in code: 0xRRGGBB.
struct Srgb
{
    int r = 0, g = 0, b = 0;
    static constexpr Srgb fromHex(unsigned hex)
    {
        return {int((hex >> 16) & 0xFF), int((hex >> 8) & 0xFF), int(hex & 0xFF)};
    }
};

// Linear light, each channel 0–1.
struct Linear
{
    double r = 0, g = 0, b = 0;
};

struct Lab
{
    double L = 0, a = 0, b = 0;
};

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };

double toLinear(double srgbChannel); // both 0–1
double toSrgb(double linearChannel);
Linear linear(Srgb colour);
// CIE L*a*b* under D65 from linear sRGB.
Lab lab(Linear colour);
// CIEDE2000 with kL = kC = kH = 1 (Sharma, Wu and Dalal 2005).
double deltaE2000(const Lab &one, const Lab &other);
// Machado, Oliveira and Fernandes 2009, severity 1: the colour as a dichromat
// sees it, kept inside the sRGB gamut.
Linear seenWith(Linear colour, Vision vision);
// How far apart two colours look to the given eye, in CIEDE2000.
double seenDifference(Srgb one, Srgb other, Vision vision);

// WCAG 2: relative luminance, and the contrast ratio of two colours (1–21).
double luminance(Srgb colour);
double contrastRatio(Srgb one, Srgb other);

} // namespace ui::colour
