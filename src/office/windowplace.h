// Where the office lesson windows put themselves inside the frame when
// they are resized or shown, and the caption a click on the data-entry
// window writes.
#pragma once
#include <QString>

namespace office {

// Top-left corner of a lesson window inside the frame.
struct WindowPlace
{
    int left = 0;
    int top = 0;
    friend bool operator==(WindowPlace, WindowPlace) = default;
};
// Spreadsheet window after a resize: a top beyond 100 goes back to 20, a
// negative top to 0, a left beyond 100 to 20.
WindowPlace spreadsheetPlaceAfterResize(WindowPlace place);
// Data-entry window when shown: top at most 50 and not negative, a left
// beyond 100 goes to 80.
WindowPlace entryFormPlaceOnShow(WindowPlace place);
// The caption a click on the data-entry window's free surface writes.
QString placeCaption(WindowPlace place);

} // namespace office
