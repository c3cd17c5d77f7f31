// Replays of the window: a game played with keys, ticks and a slow stretch is kept, verifies, and
// shows again in the window chosen from the games dialog without any key steering it; the command
// line checks a file with the lines and statuses it promises
#include "CommandLine.h"
#include "GamesDialog.h"
#include "GoldenGame.h"
#include "ReplayFile.h"
#include "ReplayPlayer.h"
#include "ReplayWatch.h"
#include "WindowFixture.h"

#include <QPushButton>
#include <QRandomGenerator>
#include <QThread>
#include <QTreeWidget>

#include <sstream>

using namespace fendral;

namespace {
// Arrows steer Alpha, keypad 8, 5, 4, 6 Beta; keypad "+" buys lives, Space pauses
constexpr int Keys[] = { 38, 40, 37, 39, 104, 101, 100, 102, 107, 32 };
}

TEST_F(Window, AGamePlayedWithKeysIsKeptVerifiesAndShowsAgainUnsteered)
{
    startGame();
    QRandomGenerator dice(17);
    for (int i = 0; i < 120; ++i) {
        mainWindow.handleKey(Keys[dice.bounded(i % 40 == 39 ? 10 : 8)]);
        QTest::qWait(dice.bounded(5, 40));
        if (i == 60)
            QThread::msleep(400); // a slow stretch: the speed check doubles the step
    }
    if (state().paused)
        mainWindow.handleKey(32);
    answer = true;
    QTest::qWait(50);
    mainWindow.menuClicked();
    const QList<ReplayStore::Entry> games = mainWindow.replayStore().games();
    ASSERT_EQ(games.size(), 1);
    const Replay& replay = games.front().replay;
    EXPECT_TRUE(replay.summary.steps > 10 && replay.summary.ended == EndReason::Menu);
    EXPECT_TRUE(verifyReplay(replay, [](const PlayedLevel&) {}).ok);

    // G opens the games dialog; its one game is chosen and shows, every check value compared
    mainWindow.setGamesRunner([](ReplayStore& store) {
        GamesDialog dialog(store, ResultsFile(store.folder() + "/results.json"));
        EXPECT_EQ(dialog.gameList()->topLevelItemCount(), 1);
        EXPECT_EQ(dialog.gameList()->topLevelItem(0)->text(1), "W: Alpha; X: Beta");
        dialog.watchButton()->click();
        return dialog.chosenPath();
    });
    QTest::keyClick(&mainWindow, Qt::Key_G);
    ASSERT_TRUE(mainWindow.isWatching());
    for (int speed = 1; speed <= ReplayWatch::MaxSpeed * 2; speed *= 2) {
        EXPECT_EQ(mainWindow.windowTitle(),
            QString("Fendral - Replay (%1\u00d7)").arg(std::min(speed, ReplayWatch::MaxSpeed)));
        mainWindow.handleKey(39);
    }
    for (int i = 0; i < 2000 && mainWindow.isWatching(); ++i) {
        mainWindow.handleKey(Keys[4 + i % 5]); // none of them steers or buys lives
        QTest::qWait(5);
    }
    EXPECT_TRUE(!mainWindow.isWatching() && state().menuMode);
    EXPECT_TRUE(notices.isEmpty()) << notices.join("\n").toStdString();
    EXPECT_EQ(state().teamAssignment, teams);
    EXPECT_EQ(mainWindow.windowTitle(), "Fendral");
    EXPECT_EQ(mainWindow.replayStore().games().size(), 1); // watching records nothing
    GamesDialog dialog(mainWindow.replayStore(), ResultsFile(folder.filePath("results.json")));
    dialog.deleteButton()->click();
    EXPECT_EQ(dialog.gameList()->topLevelItemCount(), 0);
    EXPECT_TRUE(mainWindow.replayStore().games().isEmpty());
}

TEST(VerifyReplayCommand, PrintsALinePerLevelAndStopsAtTheFirstMismatch)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("game"));
    Replay replay = goldenGame();
    const auto run = [&](int expectedStatus) {
        QString error;
        writeReplayFile(path, replay, error);
        std::ostringstream out, err;
        EXPECT_EQ(verifyReplayCommand(path, out, err), expectedStatus) << err.str();
        return out.str() + err.str();
    };
    const std::string lines = run(0);
    EXPECT_EQ(lines.substr(lines.find('\n', lines.find('\n') + 1) + 1),
        "verified: 2 levels (1 completed), 12000 logic steps, reached level 2, ended by menu\n");
    EXPECT_TRUE(QString::fromStdString(lines).contains(QRegularExpression(
        "^level 1: field share \\d+\\.\\d\\d%, hash [0-9a-f]{16}, ok\nlevel 2: ")));
    // A check value of level 2 changed: level 1 as before, then the mismatch and nothing more
    auto check
        = std::find_if(replay.events.rbegin(), replay.events.rend(), [](const ReplayEvent& event) {
              return event.kind == EventKind::Check && event.step < 11000;
          });
    check->hash ^= 1;
    EXPECT_EQ(run(1),
        lines.substr(0, lines.find('\n') + 1) + "level 2: MISMATCH at step "
            + std::to_string(check->step) + "\n");
    replay.header.logicVersion = LogicVersion + 1;
    EXPECT_NE(run(2).find("logic version " + std::to_string(LogicVersion + 1)), std::string::npos);
}
