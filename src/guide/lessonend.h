// The end of a lesson in the guide band: the result against the objective,
// the sentence that says what to do next, and which lesson comes next.
#pragma once
#include "guide/livefigures.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace guide {

// The lesson that follows the one just ended.
struct NextLesson
{
    int module = 0; // 0: none; the lesson file's module code otherwise
    std::int32_t code = 0;
    bool inPlace = false; // the lesson turned the page itself: nothing to open
    QString caption;      // of the button that goes on, its Alt letter marked with &
    QString where;        // « à l'exercice 2 », as the advice names it
};

// Whether a menu offers lesson code of module.
using Offered = std::function<bool(int module, std::int32_t code)>;

// Exercise N is followed by N + 1 (the seed's last one, and the last
// French one, by the phrases), a phrase page by the next page or the next
// category, a text by the next one. nextPageInPlace: the phrases already
// show the next page of the category.
NextLesson nextLesson(int module, std::int32_t code, bool nextPageInPlace, const Offered &offered);

struct LessonEnd
{
    bool reached = false; // the objective
    QString result;       // accuracy, speed and duration against the objective
    QString advice;
};

LessonEnd lessonEnd(int module, const Figures &figures, const NextLesson &next);

} // namespace guide
