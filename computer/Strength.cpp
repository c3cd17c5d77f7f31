#include "Strength.h"

#include <array>

namespace fendral {

namespace {
    constexpr std::array<std::string_view, 3> names { "easy", "normal", "hard" };
}

std::optional<Strength> strengthNamed(std::string_view name)
{
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        if (names[i] == name)
            return static_cast<Strength>(i + 1);
    return std::nullopt;
}

std::string_view strengthName(Strength strength) { return names[static_cast<int>(strength) - 1]; }

std::optional<Strength> strengthOfSetting(int value)
{
    if (value < static_cast<int>(Strength::Easy) || value > static_cast<int>(Strength::Hard))
        return std::nullopt;
    return static_cast<Strength>(value);
}

} // namespace fendral
