// The frame following what a linked learner's class asks: called by the
// class link's own follow-up (a join, a leave, another learner, the start).
#pragma once

class TMainForm;

// Greys what the class hides and tells its assignments, the last answer at
// once and the server's in the background; nothing is made or read while
// no learner of this run has had a link.
void followClassWork(TMainForm *frame);
