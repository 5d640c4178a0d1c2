// Places of the office lesson windows.
#include "office/windowplace.h"

namespace office {

WindowPlace spreadsheetPlaceAfterResize(WindowPlace place)
{
    if (place.top > 100)
        place.top = 20;
    if (place.top < 0)
        place.top = 0;
    if (place.left > 100)
        place.left = 20;
    return place;
}

WindowPlace entryFormPlaceOnShow(WindowPlace place)
{
    if (place.top > 50)
        place.top = 50;
    if (place.top < 0)
        place.top = 0;
    if (place.left > 100)
        place.left = 80;
    return place;
}

QString placeCaption(WindowPlace place)
{
    return QStringLiteral("%1     %2").arg(place.top).arg(place.left);
}

} // namespace office
