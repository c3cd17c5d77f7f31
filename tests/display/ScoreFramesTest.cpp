// The score frames: their texts, the leader colours and the game layout
#include "DisplayView.h"
#include "FieldRenderer.h"
#include "PlayerScoreFrame.h"
#include "StatusPanel.h"
#include "TeamScoreFrame.h"
#include "Widgets.h"

#include <gtest/gtest.h>

#include <string>

using namespace fendral;

// Readable QStrings in failure messages
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// Shares with two rounded decimals; a team's lives as shown, whole and fraction joined: the
// truncated hundredths of the decimal value, never those of a double a hair below it, and no "-0"
TEST(ScoreText, SharesRoundAndLivesTruncateTheHundredthsOfTheirDecimalValue)
{
    const std::pair<double, const char*> shares[] = { { 0.8765, "87.65%" }, { 0, "0.00%" },
        { 0.0105, "1.05%" }, { 0.99999, "100.00%" }, { 28.8546, "2885.46%" } };
    for (const auto& [share, text] : shares)
        EXPECT_EQ(formatPercent(share), text) << share;
    const std::pair<double, const char*> lives[] = { { 20.5, "20.50" }, { 3.3, "3.30" },
        { 99.99, "99.99" }, { 0.3 - 0.1 - 0.2, "0." }, { 3 - 1e-12, "3." }, { 2.996, "2.99" },
        { 0.015, "0.01" }, { 41, "41." }, { 1.0 / 3, "0.33" } };
    for (const auto& [value, text] : lives)
        EXPECT_EQ(livesWholeText(value) + livesFractionText(value), text) << value;
}

// A window with the status panel and the menu widgets, as the main window lays them out
class ScoreFramesTest : public ::testing::Test {
protected:
    // Puts each player p into team teams[p] (-1 sits out), in play since the level started, with
    // its totals and level shares, the teams' the sums of their players', and starts the game.
    void play(std::array<int, 4> teams, std::array<double, 4> total, std::array<double, 4> level)
    {
        for (int p = 0; p < PlayerCount; ++p) {
            if (teams[p] < 0)
                continue;
            Team& team = state.teams[teams[p]];
            state.players[p] = { .team = teams[p],
                .colour = defaultColours[p],
                .alive = 1,
                .aliveAtLevelStart = 1,
                .totalShare = total[p],
                .levelShare = level[p] };
            state.levelStartCounts[0] += team.members == 0;
            state.levelStartCounts[1] += team.members++ == 0;
            state.levelStartCounts[2] += 1;
            state.levelStartCounts[3] += 1;
            team.active = team.activeAtLevelStart = 1;
            team.totalShare += total[p];
            team.levelShare += level[p];
        }
        view.showLayout(false);
        view.updateScores();
    }
    // The colours of a frame's total and level share; its closing bracket takes the level share's
    template <typename Frame> static std::pair<QColor, QColor> leads(const Frame* frame)
    {
        EXPECT_EQ(frame->levelShareClose()->colour(), frame->levelShareLabel()->colour());
        return { frame->totalShareLabel()->colour(), frame->levelShareLabel()->colour() };
    }
    std::pair<QColor, QColor> playerLeads(int p) { return leads(view.playerFrame(p)); }
    std::pair<QColor, QColor> teamLeads(int t) { return leads(view.teamFrame(t)); }

    GameState state;
    QImage canvas { 1024, 721, QImage::Format_RGB32 };
    FieldRenderer renderer { state, canvas };
    QWidget window;
    StatusPanel* panel = new StatusPanel(&window);
    DisplayView view { state, renderer, *panel,
        { &window, new QWidget(&window), new QWidget(&window), new QWidget(&window),
            new Panel(&window) } };
    const QColor black { 0, 0, 0 }, navy { 0, 0, 128 }, green { 0, 128, 0 }, teal { 0, 128, 128 };
};

TEST_F(ScoreFramesTest, FramesShowNamesSharesDeathsAndLivesAndGreyWhatIsOut)
{
    state.teams[2].lives = 20.5;
    play({ -1, 2, 2, -1 }, { 0, 0.1234, 0 }, { 0, 0.05, 0 });
    state.players[1].deaths = 3;
    state.players[1].levelDeaths = 1;
    view.updateScores();
    const PlayerScoreFrame* beta = view.playerFrame(1);
    const TeamScoreFrame* y = view.teamFrame(2);
    EXPECT_EQ(beta->colourShape()->fill(), QColor(0x37, 0xA2, 0x3D));
    EXPECT_EQ(QStringList({ beta->nameLabel()->text(), beta->totalShareLabel()->text(),
                  beta->levelShareLabel()->text(), beta->deathsLabel()->text(),
                  beta->levelDeathsLabel()->text(), y->nameLabel()->text(), y->livesLabel()->text(),
                  y->livesFractionLabel()->text(), y->totalShareLabel()->text(),
                  y->levelShareLabel()->text() }),
        QStringList({ "Beta", "12.34%", "(5.00%", "-3", "(-1", "Team Y", "20", ".50", "12.34%",
            "(5.00%" }));
    // Right-aligned labels end on their anchor, the closing brackets start there
    EXPECT_EQ(beta->levelDeathsLabel()->geometry().right() + 1, 105);
    // A team's lives, from 0 to 99.99, show whole between the frame's left line (two pixels) and
    // their fraction, narrowed only from two digits on
    const AnchoredLabel* lives = y->livesLabel();
    for (int hundredths = 0; hundredths <= 9999; ++hundredths) {
        state.teams[2].lives = hundredths / 100.0;
        view.teamFrame(2)->updateFrame(state, 2, {});
        const std::string what = lives->text().toStdString();
        EXPECT_GE(lives->x(), 2) << what;
        EXPECT_EQ(lives->geometry().right() + 1, 33) << what;
        EXPECT_TRUE(hundredths >= 900 || lives->font().stretch() == QFont::Unstretched) << what;
    }
    view.setOut(1, true);
    view.setEliminated(2);
    for (const AnchoredLabel* label :
        { beta->nameLabel(), y->nameLabel(), y->livesLabel(), y->livesFractionLabel() })
        EXPECT_EQ(label->colour(), QColor(128, 128, 128));
    EXPECT_EQ(view.playerFrame(2)->nameLabel()->colour(), black);
    view.showLevelStats(1, false);
    view.hideLevelStats(2);
    EXPECT_TRUE(beta->levelDeathsLabel()->isHidden() && beta->levelShareLabel()->isHidden()
        && y->levelShareLabel()->isHidden() && !view.playerFrame(2)->levelShareLabel()->isHidden());
}

// Anything within one percentage point of the best leads, when there are two to lead at all: teams
// in navy, players in green, and a one-player team's leads on its player's frame (teal for both)
TEST_F(ScoreFramesTest, LeadersWithinOnePointOfTheBestShowInTheirColours)
{
    play({ 0, 0, 1, 1 }, { 0.1, 0.2, 0.309, 0 }, { 0.125, 0, 0.1, 0.01 });
    EXPECT_EQ(teamLeads(0), std::pair(navy, navy)); // 0.300 and 0.125
    EXPECT_EQ(teamLeads(1), std::pair(navy, black)); // 0.309 and 0.11
    // Team leads stay off the frames of teams of two
    EXPECT_EQ(playerLeads(0), std::pair(black, green));
    EXPECT_EQ(playerLeads(1), std::pair(black, black));
    EXPECT_EQ(playerLeads(2), std::pair(green, black));
    state = {};
    play({ 0, 1, 1, -1 }, { 0.40, 0.1, 0.1 }, { 0.05, 0.2, 0 });
    state.teams[1].active = 0; // out since the level started: its level share still counts
    view.updateScores();
    EXPECT_EQ(playerLeads(0), std::pair(teal, black)); // Team W and Alpha lead the game
    EXPECT_EQ(playerLeads(1), std::pair(black, green));
    EXPECT_EQ(teamLeads(1), std::pair(black, navy));
    state = {};
    play({ -1, -1, 3, -1 }, { 0, 0, 0.5 }, { 0, 0, 0.5 });
    EXPECT_EQ(playerLeads(2), std::pair(black, black))
        << "a single player never leads, nor its team";
}

TEST_F(ScoreFramesTest, GameLayoutPlacesEachTeamBeforeItsPlayers)
{
    play({ 2, 2, 3, 0 }, {}, {});
    state.players[2].alive = state.teams[3].active = 0; // Gamma and its team are out of play
    view.showLayout(false);
    // Team W has one player: its frame is the narrow one, without shares; Gamma has no frame
    EXPECT_TRUE(view.teamFrame(0)->totalShareLabel()->isHidden());
    EXPECT_EQ(QList<QPoint>({ view.playerFrame(3)->pos(), view.teamFrame(2)->pos(),
                  view.playerFrame(1)->pos(), panel->separator()->pos() }),
        QList<QPoint>({ { 6 + 73, 6 }, { 6 + 73 + 121, 6 }, { 6 + 73 + 3 * 121, 6 },
            { 6 + 73 + 4 * 121, 6 } }));
    EXPECT_EQ(panel->findChildren<PlayerScoreFrame*>().size()
            + panel->findChildren<TeamScoreFrame*>().size(),
        5);
}

} // namespace
