// French accessible names and descriptions for every window and control,
// given once after the windows are built: from one table of the program's
// own names ("TExos/Edit2"), and where the table says nothing, from what the
// widget already shows (caption without "&", tooltip, window title, the
// label on its row).
#pragma once
#include <QString>

#include <span>

class QWidget;

namespace ui {

struct AccessibleText
{
    // "TExos/Edit2": the window (a widget whose object name is its class
    // name, "TExos") and the widget's object name; "TExos" alone names the
    // window itself; one "*" stands for any run of characters
    // ("TClavier/SpeedButton*"); an exact path wins over a pattern.
    const char *path;
    // UTF-8 name; "%1" stands for the widget's caption. Null keeps the name
    // the widget has: a label that shows lesson text is read by its text.
    const char *name;
    const char *description; // UTF-8, or null for none
    // A null field of an exact entry is taken from the pattern matching the
    // same widget, if any.
};

// The program's table (app/accessiblenames.cpp).
std::span<const AccessibleText> accessibleTexts();

// Names root and every widget under it, in one pass, from table and then
// from the defaults. Never changes a text, a caption or a geometry.
void applyAccessibleTexts(QWidget *root, std::span<const AccessibleText> table);

// applyAccessibleTexts(frame, accessibleTexts()): the frame owns every window.
void nameEveryWindow(QWidget *frame);

// The name a widget gets when the table has none ("" for none).
QString defaultAccessibleName(const QWidget *w);

} // namespace ui
