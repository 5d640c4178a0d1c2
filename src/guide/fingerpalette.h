// The colours of the fingers on the guide's keyboard, and the number that
// names each finger on its keys so that colour is never the only sign.
#pragma once
#include "keymodel/keymodel.h"
#include "ui/colourscience.h"

#include <QList>

namespace guide {

struct FingerLook
{
    ui::colour::Srgb lit;  // a key to press
    ui::colour::Srgb zone; // the finger's keys at rest
    ui::colour::Srgb ink;  // keycap on the lit colour
    int number = 0;        // 1 thumb … 5 little finger, as pianists count; 0 for none
};

// highContrast: the keycaps reach 7:1 on the lit colours (a darker blue, a
// lighter vermilion), which stay as far apart.
FingerLook fingerLook(keyboard::Finger finger, bool highContrast = false);

// The fingers of one hand, thumb included: their colours must stay apart.
QList<keyboard::Finger> fingersOfLeftHand();

} // namespace guide
