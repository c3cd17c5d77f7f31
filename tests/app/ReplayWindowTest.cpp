// Replays of the window: a game played with keys, a computer player, ticks and a slow stretch is
// kept, verifies, and shows again in the window chosen from the games dialog without any key
// steering it
#include "GamesDialog.h"
#include "ReplayPlayer.h"
#include "ReplayWatch.h"
#include "Widgets.h"
#include "WindowFixture.h"

#include <QPushButton>
#include <QRandomGenerator>
#include <QThread>
#include <QTreeWidget>

using namespace fendral;

namespace {
// Arrows would steer Alpha, a computer player here; keypad 8, 5, 4, 6 steer Beta; keypad "+" buys
// lives, Space pauses
constexpr int Keys[] = { 38, 40, 37, 39, 104, 101, 100, 102, 107, 32 };
}

TEST_F(Window, AGamePlayedWithKeysAndAComputerPlayerIsKeptVerifiesAndShowsAgainUnsteered)
{
    state().computer[0] = 3; // hard
    startGame();
    EXPECT_FALSE(mainWindow.handleKey(38)) << "Alpha's Up arrow";
    QRandomGenerator dice(17);
    for (int i = 0; i < 120; ++i) {
        mainWindow.handleKey(Keys[dice.bounded(i % 40 == 39 ? 10 : 8)]);
        QTest::qWait(dice.bounded(5, 40));
        if (i == 60)
            QThread::msleep(400); // a slow stretch: the speed check doubles the step
    }
    if (state().paused)
        mainWindow.handleKey(32);
    EXPECT_TRUE(QTest::qWaitFor([this] { return state().players[0].totalShare > 0; }, 60'000));
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
        EXPECT_EQ(dialog.gameList()->topLevelItem(0)->text(1), "W: Alpha (computer); X: Beta");
        dialog.watchButton()->click();
        return dialog.chosenPath();
    });
    state().teamAssignment = {}; // as chosen since: the replay shows its own, then this comes back
    QTest::keyClick(&mainWindow, Qt::Key_G);
    ASSERT_TRUE(mainWindow.isWatching());
    for (int speed = 1; speed <= ReplayWatch::MaxSpeed * 2; speed *= 2) {
        EXPECT_EQ(mainWindow.windowTitle(),
            QString("Fendral - Replay (%1\u00d7)").arg(std::min(speed, ReplayWatch::MaxSpeed)));
        mainWindow.handleKey(39);
    }
    for (int i = 0; i < 2000 && mainWindow.isWatching(); ++i) {
        mainWindow.handleKey(Keys[4 + i % 5]); // none of them steers or buys lives
        if (i == 0) // nor does the purchase box
            QTest::mouseClick(mainWindow.purchasePanel(), Qt::LeftButton);
        QTest::qWait(5);
    }
    EXPECT_TRUE(!mainWindow.isWatching() && state().menuMode);
    EXPECT_TRUE(notices.isEmpty()) << notices.join("\n").toStdString();
    EXPECT_EQ(state().teamAssignment, decltype(teams) {});
    EXPECT_EQ(mainWindow.windowTitle(), "Fendral");
    EXPECT_EQ(mainWindow.replayStore().games().size(), 1); // watching records nothing
    GamesDialog dialog(mainWindow.replayStore(), ResultsFile(folder.filePath("results.json")));
    dialog.deleteButton()->click();
    EXPECT_EQ(dialog.gameList()->topLevelItemCount(), 0);
    EXPECT_TRUE(mainWindow.replayStore().games().isEmpty());
}
