#include "Players.h"
#include "FakePlatform.h"
#include "FakeView.h"
#include "FieldPicture.h"
#include "Level.h"
#include "Tick.h"

#include <gtest/gtest.h>

using namespace fendral;

namespace {

// 12 x 12 cells: a ring of ground around one whole block of open cells
std::vector<std::string> smallField()
{
    std::vector<std::string> rows(12, "#..........#");
    rows.front() = rows.back() = std::string(12, '#');
    return rows;
}

struct PlayersTest : testing::Test {
    void addPlayer(int p, int team, int x, int y)
    {
        state.players[p]
            = { .team = team, .colour = defaultColours[p], .x = x, .y = y, .alive = 1 };
        state.teams[team].active = 1;
        state.teams[team].lives = 3.0;
        ++state.playersInPlay;
    }
    Player& player(int p) { return state.players[p]; }
    std::pair<int, int> cellOf(int p) const { return { state.players[p].x, state.players[p].y }; }
    void steps(int count)
    {
        for (int i = 0; i < count; ++i)
            logicStep(game);
    }
    // The window's field, border 2, with row 15 captured; players start on the top border and
    // head down, so that the 13th step lays the 12th trail cell and reaches row 15. Open enemies on
    // both sides of columns 10 and 20 keep the capture from taking anything.
    void closeTwelveCellTrails(std::initializer_list<int> players)
    {
        state.allocateGrids(128, 81);
        buildField(state);
        for (int x = 1; x <= 128; ++x) {
            state.cells[x][15] = Ground;
            state.blockState[blockOf(state, x, 15).bx][blockOf(state, x, 15).by] = BlockHasGround;
        }
        for (int p : players) {
            addPlayer(p, p, 10 + 10 * p, 2);
            requestDirection(player(p), Down);
        }
        steps(12);
        for (int x : { 5, 15, 60 })
            state.openEnemies.push_back({ x, 8, 1, 1, (x - 1) * CellSize, 7 * CellSize });
        state.openEnemyCount = 3;
        shareBefore = state.fieldShare;
        logicStep(game);
    }

    GameState state;
    FakeView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
    double shareBefore = 0;
};

} // namespace

TEST_F(PlayersTest, ThirdRequestBetweenTwoStepsReplacesTheSecond)
{
    loadPicture(state, std::vector<std::string>(8, std::string(12, '#')), 1);
    addPlayer(0, 0, 4, 5);
    player(0).dx = 1;
    for (int d : { Up, Down, Left })
        requestDirection(player(0), d);
    movePhase(game);
    EXPECT_EQ(cellOf(0), std::pair(4, 4));
    movePhase(game);
    movePhase(game);
    EXPECT_EQ(cellOf(0), std::pair(2, 4));
    movePhase(game);
    movePhase(game); // the guard ring stops it
    EXPECT_EQ(cellOf(0), std::pair(1, 4));
    EXPECT_EQ(player(0).dx, 0);
}

TEST_F(PlayersTest, ReversalIsDroppedWhileDrawingButAppliedOnTheGround)
{
    loadPicture(state, smallField(), 1);
    addPlayer(0, 0, 5, 5);
    addPlayer(1, 1, 5, 12);
    for (int p : { 0, 1 }) {
        player(p).dx = 1;
        requestDirection(player(p), Left);
    }
    player(0).drawing = 1;
    player(0).trailStartX = player(0).trailStartY = 5;
    movePhase(game);
    EXPECT_EQ(cellOf(0), std::pair(6, 5));
    EXPECT_EQ(cellOf(1), std::pair(4, 12));
    // The trail cell points the way the player went and shows only in the BackBuffer
    EXPECT_EQ(state.cells[5][5], TrailBase + 0);
    EXPECT_EQ(state.trailDir[5][5], Right);
    EXPECT_EQ(state.blockState[1][1], 1);
    EXPECT_EQ(view.backBufferPixel(5, 5), 0x0B0A9Du); // mean of 0x17156A and 0x0000D0
    EXPECT_EQ(view.windowCell(5, 5), 0u);
}

TEST_F(PlayersTest, PlayerHaltsAfterClosingUnlessARequestWaits)
{
    loadPicture(state, smallField(), 1);
    addPlayer(0, 0, 4, 1);
    addPlayer(1, 1, 9, 1);
    for (int p : { 0, 1 })
        requestDirection(player(p), Down);
    steps(11);
    EXPECT_TRUE(player(0).closedTrail && player(1).closedTrail);
    EXPECT_EQ(view.windowCell(4, 5), tintColour(state, defaultColours[0]));
    requestDirection(player(1), Right);
    logicStep(game);
    EXPECT_EQ(cellOf(0), std::pair(4, 12));
    EXPECT_EQ(cellOf(1), std::pair(10, 12));
    requestDirection(player(0), Left);
    steps(2); // the halt lasts one step only
    EXPECT_EQ(cellOf(0), std::pair(2, 12));
}

TEST_F(PlayersTest, SteppingOnTheOwnTrailKillsOneStepLaterAndErasesTheTrail)
{
    loadPicture(state, smallField(), 1);
    addPlayer(0, 0, 5, 1);
    requestDirection(player(0), Down);
    steps(2);
    for (int d : { Right, Up, Left }) { // back onto the first trail cell
        requestDirection(player(0), d);
        logicStep(game);
    }
    EXPECT_TRUE(player(0).killed);
    EXPECT_EQ(state.cells[5][2], TrailBase + 0);
    logicStep(game);
    EXPECT_EQ(player(0).deaths, 1);
    EXPECT_EQ(player(0).respawnDelay, 6);
    EXPECT_EQ(player(0).y, 12);
    EXPECT_DOUBLE_EQ(state.teams[0].lives, 2.0);
    EXPECT_EQ(picture(state), smallField());
    EXPECT_EQ(view.windowCell(6, 3), state.palette().openColour);
    EXPECT_EQ(state.trailDir[6][3], 0);
    EXPECT_EQ(state.blockState[1][1], AllOpen);
}

TEST_F(PlayersTest, ContactKillsTwoOnTheSameFootingButNeverAShieldedPlayer)
{
    loadPicture(state, smallField(), 1);
    const auto contact = [&](int drawing0, int shielded0, int drawing1) {
        addPlayer(0, 0, 3, 3);
        addPlayer(1, 0, 4, 4); // teammates
        player(0).drawing = drawing0;
        player(0).shielded = shielded0;
        player(1).drawing = drawing1;
        hazardPhase(state);
        return std::pair(player(0).killed, player(1).killed);
    };
    EXPECT_EQ(contact(0, 0, 0), std::pair(1, 1));
    EXPECT_EQ(contact(1, 0, 1), std::pair(1, 1));
    EXPECT_EQ(contact(0, 1, 0), std::pair(0, 0));
    EXPECT_EQ(contact(1, 0, 0), std::pair(0, 0));
}

TEST_F(PlayersTest, ClosingATwelveCellTrailCreditsItsCells)
{
    closeTwelveCellTrails({ 0 });
    EXPECT_EQ(cellOf(0), std::pair(10, 15));
    EXPECT_DOUBLE_EQ(player(0).levelShare, 12.0 / 128 / 81);
    EXPECT_DOUBLE_EQ(state.teams[0].levelShare, 12.0 / 128 / 81);
    EXPECT_DOUBLE_EQ(state.fieldShare, shareBefore + 12.0 / 128 / 81);
    EXPECT_EQ(state.cells[10][14], Ground);
    EXPECT_EQ(state.blockState[1][1], BlockHasGround);
}

TEST_F(PlayersTest, TwoTrailsClosingInOneStepShareOneClearingOfTheWorkGrids)
{
    state.allocateGrids(128, 81);
    state.marks[1][1] = state.blockMarks[0][1] = 99;
    closeTwelveCellTrails({ 0, 1 });
    EXPECT_EQ(state.marks[1][1] + state.blockMarks[0][1], 0);
    // The ground above each trail keeps its closer's seed: the second closure did not clear the
    // first one's
    EXPECT_EQ(state.marks[10][2], 1);
    EXPECT_EQ(state.marks[20][2], 2);
}
