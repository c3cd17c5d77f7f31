// The status panel's texts, the score frames, the leader colours and the game layout
#include "DisplayView.h"
#include "FieldRenderer.h"
#include "PlayerScoreFrame.h"
#include "QtColour.h"
#include "StatusPanel.h"
#include "TeamScoreFrame.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace fendral;

// Readable QStrings in failure messages
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

TEST(ScoreText, ShowsSharesWithTwoRoundedDecimals)
{
    const std::pair<double, const char*> cases[] = { { 0.8765, "87.65%" }, { 0, "0.00%" },
        { 0.0105, "1.05%" }, { 0.99999, "100.00%" }, { 28.8546, "2885.46%" } };
    for (const auto& [share, text] : cases)
        EXPECT_EQ(formatPercent(share), text) << share;
}

// A team's lives as shown: the whole and the fraction text joined, "20.50", "3."
QString livesText(double lives) { return livesWholeText(lives) + livesFractionText(lives); }

// Lives as the game sums them: whole lives and (teams - 1) times a level share, a count of cells
// divided by W and then by H. The exact value is kept in cells of the 128 x 81 field; counts that
// add up to quarters of the field meet a hundredth exactly, and the text shows the truncated
// hundredths of the exact value, never those of a double a hair below it.
TEST(ScoreText, LivesShowTheTruncatedHundredthsOfTheExactSum)
{
    constexpr int W = 128, H = 81, Cells = W * H;
    std::mt19937 random(7);
    for (int game = 0; game < 2'000; ++game) {
        double lives = 2 + random() % 4;
        long long exact = static_cast<long long>(lives) * Cells;
        for (int level = 0; level < 50; ++level) {
            const int teams = 2 + random() % 3, whole = random() % 3 - 1;
            const int levelCells = random() % 2 ? Cells / 4 * (random() % 4) : random() % Cells;
            double levelShare = 0;
            for (int left = levelCells, count = 0; left > 0; left -= count)
                levelShare += static_cast<double>(count = std::min<int>(left, 1 + random() % 700)) / W / H;
            const long long next = exact + static_cast<long long>(teams - 1) * levelCells + whole * Cells;
            if (next >= 100LL * Cells || next < 0)
                continue;
            lives += (teams - 1) * levelShare;
            lives += whole;
            const long long hundredths = (exact = next) * 100 / Cells;
            const QString expected = QString::number(hundredths / 100)
                + (hundredths % 100 ? QString(".%1").arg(hundredths % 100, 2, 10, QChar('0')) : ".");
            ASSERT_EQ(livesText(lives), expected) << "game " << game << ", level " << level;
        }
    }
    EXPECT_EQ(livesText(0.3 - 0.1 - 0.2), "0.") << "a hair below zero";
    EXPECT_EQ(livesText(3.3), "3.30");
}

// A window with the status panel and the menu widgets, as the main window lays them out
class ScoreFramesTest : public ::testing::Test {
protected:
    // Puts player p into team t, in play since the level started, and counts them in.
    void join(int p, int t)
    {
        state.players[p] = { .team = t, .colour = defaultColours[p], .alive = 1 };
        state.players[p].aliveAtLevelStart = 1;
        Team& team = state.teams[t];
        const int isNewTeam = team.members++ == 0;
        team.active = team.activeAtLevelStart = 1;
        auto& counts = state.levelStartCounts;
        counts = { counts[0] + isNewTeam, counts[1] + isNewTeam, counts[2] + 1, counts[3] + 1 };
    }

    void startGame()
    {
        view.showLayout(false);
        view.updateScores();
    }

    GameState state;
    QImage canvas { 1024, 721, QImage::Format_RGB32 };
    FieldRenderer renderer { state, canvas };
    QWidget window;
    StatusPanel* panel = new StatusPanel(&window);
    QWidget* menuPanel = new QWidget(&window);
    Panel* messagePanel = new Panel(&window);
    DisplayView view { state, renderer, *panel,
        { &window, menuPanel, new QWidget(&window), new QWidget(&window), messagePanel } };
};

TEST_F(ScoreFramesTest, PlayerFrameShowsNameSharesAndDeathsAndGreysWhileOut)
{
    join(1, 2);
    state.players[1].totalShare = 0.1234;
    state.players[1].levelShare = 0.05;
    state.players[1].deaths = 3;
    state.players[1].levelDeaths = 1;
    startGame();

    const PlayerScoreFrame* frame = view.playerFrame(1);
    EXPECT_EQ(frame->colourShape()->fill(), qtColour(defaultColours[1]));
    EXPECT_EQ(QStringList({ frame->nameLabel()->text(), frame->totalShareLabel()->text(),
                  frame->levelShareLabel()->text(), frame->deathsLabel()->text(),
                  frame->levelDeathsLabel()->text() }),
        QStringList({ "Beta", "12.34%", "(5.00%", "-3", "(-1" }));
    // Right-aligned labels end on their anchor, the closing brackets start there
    EXPECT_EQ(frame->levelDeathsLabel()->geometry().right() + 1, 105);

    // A single player never leads, nor does its team
    EXPECT_EQ(frame->totalShareLabel()->colour(), ScoreColours::black);
    view.setOut(1, true);
    EXPECT_EQ(frame->nameLabel()->colour(), ScoreColours::grey);
    view.showLevelStats(1, false);
    EXPECT_TRUE(frame->levelDeathsLabel()->isHidden());
}

TEST_F(ScoreFramesTest, TeamFramesShowLivesAndSharesAndAllWithinOnePointOfTheBestLead)
{
    for (int p : { 0, 1, 2, 3 })
        join(p, p / 2);
    state.teams[1].lives = 20.5;
    state.teams[0].totalShare = 0.300;
    state.teams[1].totalShare = 0.309;
    state.teams[0].levelShare = 0.10;
    state.teams[1].levelShare = state.players[0].levelShare = 0.125;
    startGame();

    const TeamScoreFrame* frame = view.teamFrame(1);
    EXPECT_EQ(QStringList({ frame->nameLabel()->text(), frame->livesLabel()->text(),
                  frame->livesFractionLabel()->text(), frame->levelShareLabel()->text() }),
        QStringList({ "Team X", "20", ".50", "(12.50%" }));
    EXPECT_EQ(frame->livesLabel()->geometry().right() + 1, 33);
    EXPECT_EQ(view.teamFrame(0)->totalShareLabel()->colour(), ScoreColours::navy);
    EXPECT_EQ(frame->totalShareLabel()->colour(), ScoreColours::navy);
    EXPECT_EQ(view.teamFrame(0)->levelShareLabel()->colour(), ScoreColours::black);
    EXPECT_EQ(frame->levelShareLabel()->colour(), ScoreColours::navy);
    // Team leads stay off the frames of players in teams of two
    EXPECT_EQ(view.playerFrame(3)->levelShareLabel()->colour(), ScoreColours::black);

    view.setEliminated(1);
    for (const AnchoredLabel* label :
        { frame->nameLabel(), frame->livesLabel(), frame->livesFractionLabel() })
        EXPECT_EQ(label->colour(), ScoreColours::grey);
    view.hideLevelStats(1);
    EXPECT_TRUE(frame->levelShareLabel()->isHidden());
}

TEST_F(ScoreFramesTest, AOnePlayerTeamsLeadsShowOnItsPlayerCombinedWithThePlayersOwn)
{
    join(0, 0);
    join(1, 1);
    join(2, 1);
    state.players[0].totalShare = state.teams[0].totalShare = 0.40;
    state.players[0].levelShare = state.teams[0].levelShare = 0.05;
    state.players[1].levelShare = state.teams[1].levelShare = 0.20;
    startGame();

    // Team W and Alpha both lead the game: navy and green make teal
    EXPECT_EQ(view.playerFrame(0)->totalShareLabel()->colour(), QColor(0, 128, 128));
    // The level belongs to Beta and to team X: Alpha's level share stays black
    EXPECT_EQ(view.playerFrame(0)->levelShareLabel()->colour(), ScoreColours::black);
    EXPECT_EQ(view.playerFrame(1)->levelShareLabel()->colour(), ScoreColours::green);
}

TEST_F(ScoreFramesTest, GameLayoutPlacesEachTeamBeforeItsPlayersAndTheSeparatorAfter)
{
    join(3, 0);
    join(0, 2);
    join(1, 2);
    startGame();

    // Team W has one player: its frame is the narrow one, without shares
    EXPECT_TRUE(view.teamFrame(0)->totalShareLabel()->isHidden());
    EXPECT_EQ(view.playerFrame(3)->pos(), QPoint(6 + 73, 6));
    EXPECT_EQ(view.teamFrame(2)->pos(), QPoint(6 + 73 + 121, 6));
    EXPECT_EQ(view.playerFrame(1)->pos(), QPoint(6 + 73 + 3 * 121, 6));
    EXPECT_EQ(panel->separator()->pos(), QPoint(6 + 73 + 4 * 121, 6));
}

TEST_F(ScoreFramesTest, FramesAreForWhoIsInPlayAndTheMenuLayoutClearsTheRunState)
{
    join(0, 0);
    join(1, 1);
    state.players[1].alive = state.teams[1].active = 0;
    startGame();
    EXPECT_EQ(panel->findChildren<PlayerScoreFrame*>().size(), 1);
    EXPECT_EQ(panel->findChildren<TeamScoreFrame*>().size(), 1);

    canvas.fill(Qt::red);
    state.cheatCount = state.paused = state.gameOver = 2;
    view.setMessageVisible(true);
    view.showLayout(true);
    EXPECT_EQ(state.cheatCount + state.paused + state.gameOver, 0);
    EXPECT_TRUE(messagePanel->isHidden() && panel->levelBox()->isHidden());
    EXPECT_EQ(canvas.pixel(1023, 720), qRgb(0, 0, 0));
}

} // namespace
