// The three strengths of a computer player and what each one means for its play
#pragma once

#include <optional>
#include <string_view>

namespace fendral {

enum class Strength { Easy = 1, Normal = 2, Hard = 3 };

struct StrengthTraits {
    int lookAhead; // logic steps of the enemies' future it foresees
    int margin; // cells of room it keeps around every foreseen enemy beyond the deadly ones
    int recheckEvery; // logic steps between two looks at whether its path is still safe
    int choices; // it takes one of this many best paths, by its own draw
    int stepsWorth; // cells a logic step of its path must be worth to it
    bool trustsBeyondSight; // takes what it cannot foresee for safe
};

// Easy looks a few steps ahead, notices danger late and takes what comes first; hard foresees the
// enemies' bounces as far as its longest path and waits for the largest safe capture.
constexpr StrengthTraits traitsOf(Strength strength)
{
    switch (strength) {
    case Strength::Easy:
        return { 24, 0, 3, 3, 4, true };
    case Strength::Normal:
        return { 48, 1, 1, 2, 8, false };
    case Strength::Hard:
        break;
    }
    return { 127, 0, 1, 1, 20, false };
}

// "easy", "normal" or "hard", and back; nothing for another word
std::optional<Strength> strengthNamed(std::string_view name);
std::string_view strengthName(Strength strength);

// The strength a setting number 1..3 stands for; nothing for a person (0) or a bad number
std::optional<Strength> strengthOfSetting(int value);

} // namespace fendral
