// The summary of a game holds the numbers the score frames showed at each level's end, and the
// game enters the best results under the name given in it, with its replay to watch from there and
// from the summary
#include "DisplayView.h"
#include "GameSummaryDialog.h"
#include "GamesDialog.h"
#include "PlayerScoreFrame.h"
#include "TeamScoreFrame.h"
#include "WindowFixture.h"

#include <QDir>
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
    std::map<QString, QStringList> frames; // per column header of the summary, a cell per level
    startGame();
    for (const int level : { 1, 2, 3, LastLevel }) {
        state().level = level;
        // Shares and deaths at random moments, then a capture of Alpha's ends the level
        for (int event = 0; event < 5; ++event) {
            QTest::qWait(static_cast<int>(random() % 60));
            const int p = static_cast<int>(random() % 3);
            if (p > 0 && random() % 3 == 0 && state().players[p].alive)
                state().players[p].killed = 1;
            else
                credit(state(), p, (random() % 400) / 10000.0);
            mainWindow.view().updateScores();
        }
        state().neededShare = state().fieldShare + 0.0001;
        const Player& alpha = state().players[0];
        for (int tries = 0; tries < 20 && message().isEmpty(); ++tries) {
            QTest::keyClick(&mainWindow, Qt::Key_Up);
            (void)QTest::qWaitFor([&] { return alpha.drawing != 0; }, 2000);
            QTest::keyClick(&mainWindow, tries % 2 ? Qt::Key_Left : Qt::Key_Right);
            QTest::qWait(150);
            QTest::keyClick(&mainWindow, Qt::Key_Down);
            (void)QTest::qWaitFor([&] { return alpha.drawing == 0; }, 2000);
        }
        ASSERT_FALSE(message().isEmpty()) << "no capture by Alpha in level " << level;
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
        frames["Team X"] << mainWindow.view().teamFrame(1)->levelShareLabel()->text().mid(1);
        QTest::keyClick(&mainWindow, Qt::Key_Space);
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return state().menuMode || state().fieldShare < state().neededShare; }, 5000));
    }
    ASSERT_TRUE(state().menuMode && QTest::qWaitFor([this] { return !places.isEmpty(); }));
    ASSERT_EQ(places, QList<int> { 0 });
    // Its replay is asked for after the summary; the levels set by hand above make it one that
    // cannot be played back, which the window tells
    ASSERT_TRUE(QTest::qWaitFor([this] { return !notices.isEmpty(); }));
    EXPECT_EQ(notices,
        QStringList { "This game cannot be shown: the summary's level does not "
                      "match the commands." });
    const GameRecord& record = mainWindow.gameRecord();
    GameSummaryDialog summary(record, 0, "Tester");
    const QTableWidget* table = summary.levelTable();
    ASSERT_EQ(table->rowCount(), 5); // four levels and the totals
    for (int c = 0; c < table->columnCount(); ++c) {
        const QString header = table->horizontalHeaderItem(c)->text();
        for (int r = 0; r < frames[header].size(); ++r)
            EXPECT_EQ(table->item(r, c)->text().toStdString(), frames[header][r].toStdString())
                << header.toStdString() << r;
    }
    const auto entries = ResultsFile(folder.filePath("results.json")).load().table.entries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, "Tester");
    EXPECT_EQ(entries[0].levelReached, 51);
    EXPECT_EQ(entries[0].share, record.share());
    // The entry's replay is the game's: it shows from the best results; deleted, the entry
    // leaves the table and the replay stays among the recent games
    const QString replay = folder.filePath("replays/") + entries[0].replay;
    EXPECT_EQ(
        QDir(folder.filePath("replays")).entryList(QDir::Files), QStringList { entries[0].replay });
    GamesDialog games(mainWindow.replayStore(), ResultsFile(folder.filePath("results.json")));
    games.tabs()->setCurrentIndex(1);
    EXPECT_EQ(games.bestList()->topLevelItem(0)->text(4), "all 50 completed");
    games.watchButton()->click();
    EXPECT_EQ(games.chosenPath(), replay);
    games.deleteButton()->click();
    EXPECT_EQ(games.bestList()->topLevelItemCount(), 0);
    EXPECT_TRUE(ResultsFile(folder.filePath("results.json")).load().table.entries().isEmpty());
    EXPECT_TRUE(QFile::exists(replay));
}
