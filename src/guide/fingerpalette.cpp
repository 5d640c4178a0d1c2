// The finger colours: Okabe and Ito's blue, sky blue, yellow and vermilion,
// which stay apart for the three kinds of dichromat, and a dark grey for the
// thumbs. Zone tints differ in strength, since equal light tints of four
// hues all fade to nearly the same white for a red–green deficient eye.
#include "guide/fingerpalette.h"

namespace guide {

using keyboard::Finger;
using ui::colour::Srgb;

FingerLook fingerLook(Finger finger, bool highContrast)
{
    constexpr Srgb black = Srgb::fromHex(0x000000), white = Srgb::fromHex(0xFFFFFF);
    switch (finger) {
    case Finger::LeftPinky:
    case Finger::RightPinky:
        return {Srgb::fromHex(highContrast ? 0x005A8F : 0x0072B2), Srgb::fromHex(0x80B8D8), white, 5};
    case Finger::LeftRing:
    case Finger::RightRing: return {Srgb::fromHex(0x56B4E9), Srgb::fromHex(0xDDF0FB), black, 4};
    case Finger::LeftMiddle:
    case Finger::RightMiddle: return {Srgb::fromHex(0xF0E442), Srgb::fromHex(0xFCFAD9), black, 3};
    case Finger::LeftIndex:
    case Finger::RightIndex:
        return {Srgb::fromHex(highContrast ? 0xE87A30 : 0xD55E00), Srgb::fromHex(0xEAAE80), black, 2};
    case Finger::Thumbs:
    case Finger::RightThumb: return {Srgb::fromHex(0x404040), Srgb::fromHex(0xC6C6C6), white, 1};
    case Finger::None: break;
    }
    return {Srgb::fromHex(0xA0A0A0), Srgb::fromHex(0xE8E8E8), black, 0};
}

QList<Finger> fingersOfLeftHand()
{
    return {Finger::LeftPinky, Finger::LeftRing, Finger::LeftMiddle, Finger::LeftIndex, Finger::Thumbs};
}

} // namespace guide
