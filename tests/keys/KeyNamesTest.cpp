// The names of keys, which also decide which keys may steer and pause
#include "KeyNames.h"

#include <QString>
#include <gtest/gtest.h>

#include <utility>

TEST(KeyNames, WordsLettersDigitsAndKeypadDigitsAreNamedAndNothingElse)
{
    const std::pair<int, const char*> names[] = { { 32, "Space" }, { 37, "Left" }, { 38, "Up" },
        { 39, "Right" }, { 40, "Down" }, { 219, "[" }, { 221, "]" }, { 186, "Semicol." },
        { 222, "Apostr." }, { 188, "Comma" }, { 190, "Dot" }, { 191, "Slash" }, { 'A', "A" },
        { 'Q', "Q" }, { 'Z', "Z" }, { '0', "0" }, { '8', "8" }, { '9', "9" }, { 96, "Num0" },
        { 100, "Num4" }, { 105, "Num9" },
        // Enter, Esc and keypad + have no name, nor have the neighbours of the named ranges
        { 13, "" }, { 27, "" }, { 107, "" }, { 0, "" }, { 47, "" }, { 58, "" }, { 64, "" },
        { 91, "" }, { 95, "" }, { 106, "" }, { 187, "" }, { 220, "" }, { 256, "" }, { -1, "" } };
    for (const auto& [code, name] : names)
        EXPECT_EQ(fendral::keyName(code), name) << code;
}
