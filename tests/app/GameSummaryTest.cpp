// The summary of a game holds the numbers the score frames showed at each level's end, and the
// game enters the best results under the name given in it, with its replay to watch from there and
// from the summary
#include "DisplayView.h"
#include "GameSummaryDialog.h"
#include "GamesDialog.h"
#include "PlayerScoreFrame.h"
#include "TeamScoreFrame.h"
#include "Tick.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <random>

using namespace fendral;

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
    summary.nameField()->clear();
    EXPECT_EQ(summary.name(), "Tester");
    GameSummaryDialog withReplay(record, -1, "", true);
    withReplay.watchButton()->click();
    EXPECT_TRUE(withReplay.isWatchChosen() && withReplay.nameField() == nullptr);

    const auto entries = ResultsFile(folder.filePath("results.json")).load().table.entries();
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
}
