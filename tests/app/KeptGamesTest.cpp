// The games the window keeps: the summary of a game, its best results and its replays, to watch
// again from the summary or from the games dialog
#include "DisplayView.h"
#include "GameSummaryDialog.h"
#include "GamesDialog.h"
#include "PlayerScoreFrame.h"
#include "ReplayPlayer.h"
#include "ReplayWatch.h"
#include "SummaryChart.h"
#include "TeamScoreFrame.h"
#include "Tick.h"
#include "Widgets.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTreeWidget>

#include <random>

using namespace fendral;

// The summary of a game holds the numbers the score frames showed at each level's end, and the
// game enters the best results under the name given in it, with its replay to watch from there and
// from the summary
TEST_F(Window, TheSummaryHoldsWhatTheScoreFramesShowedAtEachLevelsEnd)
{
    mainWindow.setResultsPath(folder.filePath("results.json"));
    watch = true; // the summary's "Watch"
    teams = { { { 1, 0, 0, 0 }, { 0, 1, 1, 0 } } }; // Alpha in W, Beta and Gamma in X
    std::mt19937 random(20);
    // Per column header of the summary, a cell per level and the totals
    std::map<QString, QStringList> frames { { "Level", { "1", "2", "3", "50", "Total" } } };
    int allDeaths = 0;
    startGame();
    mainWindow.purchaseClicked();
    for (const int level : { 1, 2, 3, LastLevel }) {
        state().level = level;
        // Shares and deaths at random moments
        for (int event = 0; event < 5; ++event) {
            QTest::qWait(static_cast<int>(random() % 60));
            const int p = static_cast<int>(random() % 3);
            if (p > 0 && random() % 3 == 0 && state().players[p].alive)
                state().players[p].killed = 1;
            else
                credit(state(), p, (random() % 400) / 10000.0);
            mainWindow.view().updateScores();
        }
        // Alpha's last share completes the level, as a capture in a tick would
        state().neededShare = state().fieldShare + 0.0001;
        credit(state(), 0, 0.001);
        mainWindow.view().updateScores();
        checkLevelEnd(mainWindow.game());
        int deaths = 0;
        for (int p = 0; p < 3; ++p) {
            const PlayerScoreFrame* frame = mainWindow.view().playerFrame(p);
            QStringList& cells = frames[QString::fromLatin1(playerNames[p])];
            cells << frame->levelShareLabel()->text().mid(1);
            if (level == LastLevel) // the totals row
                cells << frame->totalShareLabel()->text();
            deaths -= frame->levelDeathsLabel()->text().mid(1).toInt();
        }
        frames["Deaths"] << QString::number(deaths);
        allDeaths += deaths;
        for (const int t : { 0, 1 })
            frames[QString("Team ") + "WX"[t]]
                << mainWindow.view().teamFrame(t)->levelShareLabel()->text().mid(1);
        QTest::keyClick(&mainWindow, Qt::Key_Space);
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return state().menuMode || state().fieldShare < state().neededShare; }, 5000));
    }
    frames["Deaths"] << QString::number(allDeaths);
    ASSERT_TRUE(state().menuMode && QTest::qWaitFor([this] { return !places.isEmpty(); }));
    ASSERT_EQ(places, QList<int> { 0 });
    // Its replay is asked for after the summary; the levels set by hand above make it one that
    // cannot be played back, which the window tells
    ASSERT_TRUE(QTest::qWaitFor([this] { return !notices.isEmpty(); }));
    EXPECT_EQ(notices,
        QStringList { "This game cannot be shown: the summary's level does not "
                      "match the commands." });
    const GameRecord& record = mainWindow.gameRecord();
    EXPECT_TRUE(summaryHeadline(record).startsWith(
        "All 50 levels completed, 1 lives bought. Best level: "));
    GameSummaryDialog summary(record, 0, "Tester");
    const QTableWidget* table = summary.levelTable();
    QStringList headers;
    for (int c = 0; c < table->columnCount(); ++c) {
        headers << table->horizontalHeaderItem(c)->text();
        for (int r = 0; r < frames[headers.last()].size(); ++r)
            EXPECT_EQ(table->item(r, c)->text(), frames[headers.last()][r]) << c << " " << r;
        EXPECT_TRUE(headers.last() != "Time"
            || table->item(0, c)->text().contains(QRegularExpression("^\\d+:\\d\\d$")));
    }
    EXPECT_EQ(headers.join(' '), "Level Alpha Beta Gamma Team W Team X Deaths Time");
    // The place and the name under which it goes; Watch only with a replay
    EXPECT_FALSE(summary.watchButton()->isEnabled());
    EXPECT_EQ(summary.findChild<QLabel*>()->text(), "Place 1 of the best results. Name:");
    EXPECT_EQ(summary.nameField()->selectedText(), "Tester"); // typing replaces the prefill
    summary.nameField()->clear();
    EXPECT_EQ(summary.name(), "Tester");
    // The chart draws team W's line in Alpha's colour
    summary.resize(summary.sizeHint());
    const QImage chart = summary.findChild<SummaryChart*>()->grab().toImage();
    int alphaPixels = 0;
    for (int y = 0; y < chart.height(); ++y)
        for (int x = 0; x < chart.width(); ++x)
            alphaPixels += chart.pixel(x, y) == qRgb(0xD0, 0, 0);
    EXPECT_GT(alphaPixels, 20);
    GameSummaryDialog withReplay(record, -1, "", true);
    withReplay.watchButton()->click();
    EXPECT_TRUE(withReplay.isWatchChosen() && withReplay.nameField() == nullptr);

    const auto results = ResultsFile(folder.filePath("results.json")).load();
    EXPECT_EQ(results.lastName, "Tester"); // the next summary's prefill
    const auto entries = results.table.entries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].share, record.share());
    // The entry's replay is the game's: it shows from the best results; deleted, the entry
    // leaves the table and the replay stays among the recent games
    const QString replay = folder.filePath("replays/") + entries[0].replay;
    GamesDialog games(mainWindow.replayStore(), ResultsFile(folder.filePath("results.json")));
    games.tabs()->setCurrentIndex(1);
    const QTreeWidgetItem* best = games.bestList()->topLevelItem(0);
    EXPECT_EQ(QStringList({ best->text(0), best->text(2), best->text(4) }),
        QStringList({ "1", "Tester", "all 50 completed" }));
    games.watchButton()->click();
    EXPECT_EQ(games.chosenPath(), replay);
    games.deleteButton()->click();
    EXPECT_EQ(games.bestList()->topLevelItemCount(), 0);
    EXPECT_TRUE(ResultsFile(folder.filePath("results.json")).load().table.entries().isEmpty());
    EXPECT_TRUE(QFile::exists(replay));
    games.tabs()->setCurrentIndex(0); // deleted there, it is gone
    games.deleteButton()->click();
    EXPECT_TRUE(mainWindow.replayStore().games().isEmpty());
}

// A game played with keys, a computer player, ticks and a slow stretch is kept, verifies, and
// shows again in the window chosen from the games dialog without any key steering it
TEST_F(Window, AGamePlayedWithKeysAndAComputerPlayerIsKeptVerifiesAndShowsAgainUnsteered)
{
    // Arrows would steer Alpha, a computer player here; keypad 8, 5, 4, 6 steer Beta; keypad "+"
    // buys lives, Space pauses
    constexpr int keys[] = { 38, 40, 37, 39, 104, 101, 100, 102, 107, 32 };
    state().computer[0] = 3; // hard
    startGame();
    EXPECT_FALSE(mainWindow.handleKey(38)) << "Alpha's Up arrow";
    QRandomGenerator dice(17);
    for (int i = 0; i < 120; ++i) {
        mainWindow.handleKey(keys[dice.bounded(i % 40 == 39 ? 10 : 8)]);
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
        mainWindow.handleKey(keys[4 + i % 5]); // none of them steers or buys lives
        if (i == 0) // nor does the purchase box
            QTest::mouseClick(mainWindow.purchasePanel(), Qt::LeftButton);
        QTest::qWait(5);
    }
    EXPECT_TRUE(!mainWindow.isWatching() && state().menuMode);
    EXPECT_TRUE(notices.isEmpty()) << notices.join("\n").toStdString();
    EXPECT_EQ(state().teamAssignment, decltype(teams) {});
    EXPECT_EQ(mainWindow.windowTitle(), "Fendral");
    EXPECT_EQ(mainWindow.replayStore().games().size(), 1); // watching records nothing
}
