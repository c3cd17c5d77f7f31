// Computer players in the window, and the computer game of the command line
#include "ComputerGameCommand.h"
#include "HeadlessGame.h"
#include "ReplayFile.h"
#include "WindowFixture.h"

#include <sstream>

TEST_F(Window, AComputerPlayerCapturesWithinTheTicksAndItsKeysSteerNobody)
{
    state().computer[0] = 3; // Alpha: hard; Beta a person
    startGame();
    EXPECT_FALSE(mainWindow.handleKey(38)) << "Alpha's Up arrow";
    EXPECT_TRUE(mainWindow.handleKey(104)) << "Beta's keypad 8";
    EXPECT_TRUE(QTest::qWaitFor([this] { return state().players[0].totalShare > 0; }, 60'000));
}

TEST(ComputerGameCommand, RefusesBadArgumentsAndRecordsTheGameItPlays)
{
    const auto run = [](std::vector<std::string> arguments, std::string* printed = nullptr) {
        std::ostringstream out, err;
        const std::optional<int> code = fendral::runComputerGameCommand(arguments, out, err);
        EXPECT_EQ(err.str().empty(), code != 2) << err.str();
        if (printed)
            *printed = out.str();
        return code.value_or(-1);
    };
    for (const auto& bad : { std::vector<std::string> { "--players", "5" }, { "--players", "0" },
             { "--strength", "hard,wild" }, { "--level", "51" }, { "--seed", "-1" },
             { "--max-steps", "1e3" }, { "--levels" }, { "--colour", "2" } }) {
        std::vector<std::string> arguments { "--computer-game" };
        arguments.insert(arguments.end(), bad.begin(), bad.end());
        EXPECT_EQ(run(arguments), 2) << bad.front();
    }
    EXPECT_EQ(run({ "--start" }), -1) << "no computer game asked for";
    // The game verifies, and --record writes it with the computer players' strengths and seeds in
    // its header (the same seed giving the same game is the computer players' golden game)
    QTemporaryDir folder;
    const QString file = folder.filePath("game");
    std::string printed;
    ASSERT_EQ(run({ "--computer-game", "--strength", "hard,easy", "--players", "3", "--levels", "2",
                      "--seed", "7", "--max-steps", "400", "--record", file.toStdString() },
                  &printed),
        0);
    EXPECT_NE(printed.find("verified: 2 levels"), std::string::npos) << printed;
    QString error;
    const std::optional<fendral::Replay> replay = fendral::readReplayFile(file, error);
    ASSERT_TRUE(replay) << error.toStdString();
    EXPECT_EQ(replay->header.players[2].strength, 1); // easy
    EXPECT_EQ(replay->header.players[2].controllerSeed, fendral::computerSeed(7, 2));
}
