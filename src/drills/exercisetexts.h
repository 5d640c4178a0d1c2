// The texts of the key-group exercises, as constant tables: the eighteen of
// the lessons, then six for the French characters they leave out.
#pragma once
#include <cstdint>

namespace drills {

inline constexpr int ExerciseCount = 24;
// Exercises past this one drill characters that some layouts cannot type.
inline constexpr int FirstFrenchExercise = 19;

// One exercise: the instruction and the three model lines (UTF-8).
struct ExerciseText
{
    const char *instruction;
    const char *models[3];
};

// The exercise of code 1..24, or nullptr for any other code.
const ExerciseText *exerciseText(std::int32_t code);

// What the instruction of exercises 19..24 names: its title, and the
// characters whose keys it gives (UTF-8). Its written instruction is the
// French layout's; on another layout the keys are told from the keymap.
struct ExerciseKeys
{
    const char *title;
    const char *characters;
};

// The keys of exercise 19..24, or nullptr for any other code.
const ExerciseKeys *exerciseKeys(std::int32_t code);

} // namespace drills
