// The names of keys, which also decide which keys may steer and pause
#include "KeyNames.h"

#include <QString>
#include <gtest/gtest.h>

#include <utility>

using fendral::KeyName;

TEST(KeyNames, SpaceArrowsAndPunctuationHaveTheirWords)
{
    const std::pair<int, const char*> words[] = { { 32, "Space" }, { 37, "Left" }, { 38, "Up" },
        { 39, "Right" }, { 40, "Down" }, { 219, "[" }, { 221, "]" }, { 186, "Semicol." },
        { 222, "Apostr." }, { 188, "Comma" }, { 190, "Dot" }, { 191, "Slash" } };
    for (const auto& [code, word] : words)
        EXPECT_EQ(KeyName(code), word) << code;
}

TEST(KeyNames, LettersAndMainDigitsAreTheirOwnCharacter)
{
    for (int code = 'A'; code <= 'Z'; ++code)
        EXPECT_EQ(KeyName(code), QString(QChar(code))) << code;
    for (int code = '0'; code <= '9'; ++code)
        EXPECT_EQ(KeyName(code), QString(QChar(code))) << code;
    EXPECT_EQ(KeyName(56), "8");
}

TEST(KeyNames, KeypadDigitsAreNumAndTheDigit)
{
    EXPECT_EQ(KeyName(96), "Num0");
    EXPECT_EQ(KeyName(100), "Num4");
    EXPECT_EQ(KeyName(104), "Num8");
    EXPECT_EQ(KeyName(105), "Num9");
}

TEST(KeyNames, EveryOtherKeyHasNoName)
{
    const int unnamed[] = { 0, 8, 9, 13, 16, 17, 18, 27, 33, 36, 46, 47, 58, 64, 91, 95, 106, 107,
        109, 110, 111, 112, 123, 187, 189, 192, 220, 255, 256, -1 };
    for (int code : unnamed)
        EXPECT_TRUE(KeyName(code).isEmpty()) << code;

    int named = 0;
    for (int code = 0; code < 256; ++code)
        named += KeyName(code).isEmpty() ? 0 : 1;
    EXPECT_EQ(named, 12 + 26 + 10 + 10);
}
