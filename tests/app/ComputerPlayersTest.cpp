// Computer players in the window (the command line's computer game: CommandLineTest)
#include "WindowFixture.h"

TEST_F(Window, AComputerPlayerCapturesWithinTheTicksAndItsKeysSteerNobody)
{
    state().computer[0] = 3; // Alpha: hard; Beta a person
    startGame();
    EXPECT_FALSE(mainWindow.handleKey(38)) << "Alpha's Up arrow";
    EXPECT_TRUE(mainWindow.handleKey(104)) << "Beta's keypad 8";
    EXPECT_TRUE(QTest::qWaitFor([this] { return state().players[0].totalShare > 0; }, 60'000));
}
