// The program-wide journal the lesson windows record their sessions in.
#pragma once
#include "progress/sessiontally.h"

#include <functional>

class QWidget;

namespace progress {

class Journal;

// The journal in use, or null when none is (a window tested alone records
// nothing, so no test writes outside its own folder). Never opens the file.
Journal *journal();
// Uses the journal file at path from now on; an empty path: none.
void useJournal(const QString &path);

// Writes a finished session. The first failure of the run is told to the
// learner over parent (when there is one) and no other after it; without a
// parent it goes to the error output.
void recordSession(QWidget *parent, const SessionRecord &session);
// Told after each session written (the class link sends it); replaces the
// one told before.
void setWhenRecorded(std::function<void()> told);

} // namespace progress
