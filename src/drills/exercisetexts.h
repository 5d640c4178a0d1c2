// The texts of the eighteen key-group exercises, as constant tables.
#pragma once
#include <cstdint>

namespace drills {

inline constexpr int ExerciseCount = 18;

// One exercise: the instruction and the three model lines (UTF-8).
struct ExerciseText
{
    const char *instruction;
    const char *models[3];
};

// The exercise of code 1..18, or nullptr for any other code.
const ExerciseText *exerciseText(std::int32_t code);

} // namespace drills
