// The texts of the key-group exercises, as constant tables: the eighteen of
// the lessons, then six for the French characters they leave out.
#pragma once
#include <cstdint>
#include <span>

namespace drills {

inline constexpr int ExerciseCount = 24;
// Exercises past this one drill characters that some layouts cannot type.
inline constexpr int FirstFrenchExercise = 19;

// What the instruction of exercises 19..24 names: its title, and the
// characters whose keys it gives (UTF-8). Its written instruction is the
// French layout's; on another layout the keys are told from the keymap.
struct ExerciseKeys
{
    const char *title = nullptr;
    const char *characters = nullptr;
};

// One exercise, all of it (UTF-8): its item in the Exercices menu (the
// item's objectName, caption with "&" and hint), the instruction, the three
// model lines, and for the French characters the keys it teaches.
struct ExerciseText
{
    const char *item;
    const char *caption;
    const char *hint;
    const char *instruction;
    const char *models[3];
    ExerciseKeys keys;
};

// Every exercise, by code: the row of code n is the n-th.
std::span<const ExerciseText> exercises();
// The exercise of code 1..24, or nullptr for any other code.
const ExerciseText *exerciseText(std::int32_t code);

// The keys of exercise 19..24, or nullptr for any other code.
const ExerciseKeys *exerciseKeys(std::int32_t code);

} // namespace drills
