// The journey test's view into the running program: a text dump of what the
// windows show, written on request by the test build of the program only.
#pragma once
#include <QString>

namespace journey {

// One "key=value" line per item (newlines in values written as "\n",
// backslashes as "\\"): the active lesson window, each lesson window's
// code, counts and texts, the lesson menus' check marks, the notes, the
// lesson file name, the top-level windows with their X ids, and the
// geometry of named widgets, menu-bar entries and open menu items relative
// to their top-level window, for clicking.
QString dumpState();

// Escapes a value for one dump line.
QString escapeValue(const QString &value);

} // namespace journey
