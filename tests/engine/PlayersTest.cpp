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
const std::vector<std::string> smallField {
    "############",
    "#..........#",
    "#..........#",
    "#..........#",
    "#..........#",
    "#..........#",
    "#..........#",
    "#..........#",
    "#..........#",
    "#..........#",
    "#..........#",
    "############",
};

struct PlayersTest : testing::Test {
    void addPlayer(int p, int team, int x, int y)
    {
        Player& player = state.players[p];
        player.team = team;
        player.alive = 1;
        player.colour = defaultColours[p];
        player.x = x;
        player.y = y;
        state.teams[team].active = 1;
        state.teams[team].lives = 3.0;
        ++state.playersInPlay;
    }
    // The window's 128 x 81 field, border 2, with row 15 already captured.
    void loadRealField()
    {
        state.allocateGrids(128, 81);
        state.borderWidth = 2;
        buildField(state);
        for (int x = 1; x <= 128; ++x) {
            state.cells[x][15] = Ground;
            const BlockIndex block = blockOf(state, x, 15);
            state.blockState[block.bx][block.by] = BlockHasGround;
        }
    }
    // Steps players from the top border straight down: after 12 steps each has laid 11 trail cells
    // and the next step lays the 12th and takes it onto the ground of row 15.
    void drawDownFromTheTop(std::initializer_list<int> players)
    {
        for (int p : players)
            requestDirection(state.players[p], Down);
        for (int i = 0; i < 12; ++i)
            logicStep(game);
    }
    // Open enemies on both sides of the trails in columns 10 and 20, so that nothing is captured.
    void guardTheRegions()
    {
        for (int x : { 5, 15, 60 })
            state.openEnemies.push_back({ x, 8, 1, 1, (x - 1) * CellSize, 7 * CellSize });
        state.openEnemyCount = 3;
    }

    GameState state;
    FakeView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
};

} // namespace

TEST_F(PlayersTest, ThirdRequestBetweenTwoStepsReplacesTheSecond)
{
    loadPicture(state, std::vector<std::string>(8, std::string(12, '#')), 1);
    addPlayer(0, 0, 5, 5);
    state.players[0].dx = 1;
    for (int d : { Up, Down, Left })
        requestDirection(state.players[0], d);
    EXPECT_EQ(state.players[0].dirQueueLength, 2);
    movePhase(game);
    EXPECT_EQ(std::pair(state.players[0].x, state.players[0].y), std::pair(5, 4));
    movePhase(game);
    EXPECT_EQ(std::pair(state.players[0].x, state.players[0].y), std::pair(4, 4));
    movePhase(game); // runs on without a request
    EXPECT_EQ(std::pair(state.players[0].x, state.players[0].y), std::pair(3, 4));
    movePhase(game);
    movePhase(game);
    EXPECT_EQ(state.players[0].dx, -1);
    movePhase(game); // the guard ring stops it
    EXPECT_EQ(state.players[0].x, 1);
    EXPECT_EQ(state.players[0].dx, 0);
}

TEST_F(PlayersTest, ReversalIsDroppedWhileDrawingButAppliedOnTheGround)
{
    loadPicture(state, smallField, 1);
    addPlayer(0, 0, 5, 5);
    addPlayer(1, 1, 5, 12);
    for (int p : { 0, 1 }) {
        state.players[p].dx = 1;
        requestDirection(state.players[p], Left);
    }
    state.players[0].drawing = 1;
    state.players[0].trailStartX = 5;
    state.players[0].trailStartY = 5;
    movePhase(game);
    EXPECT_EQ(state.players[0].dx, 1);
    EXPECT_EQ(state.players[0].dirQueueLength, 0);
    EXPECT_EQ(state.players[0].x, 6);
    EXPECT_EQ(state.players[1].dx, -1);
    EXPECT_EQ(state.players[1].x, 4);

    // The drawing player left a trail cell pointing where it went, shown only in the BackBuffer
    EXPECT_EQ(state.cells[5][5], TrailBase + 0);
    EXPECT_EQ(state.trailDir[5][5], Right);
    EXPECT_EQ(state.players[0].trailLength, 1);
    EXPECT_EQ(state.blockState[1][1], 1);
    EXPECT_EQ(view.backBufferPixel(5, 5), 0x0B0A9Du); // mean of 0x17156A and 0x0000D0
    EXPECT_EQ(view.windowCell(5, 5), 0u);

    requestDirection(state.players[0], Up); // a turn is fine while drawing
    movePhase(game);
    EXPECT_EQ(state.players[0].y, 4);
    EXPECT_EQ(state.trailDir[6][5], Up);
}

TEST_F(PlayersTest, PlayerHaltsAfterClosingUnlessARequestWaits)
{
    loadPicture(state, smallField, 1);
    addPlayer(0, 0, 4, 1);
    addPlayer(1, 1, 9, 1);
    for (int p : { 0, 1 })
        requestDirection(state.players[p], Down);
    for (int i = 0; i < 11; ++i)
        logicStep(game);
    for (int p : { 0, 1 }) {
        EXPECT_EQ(state.players[p].y, 12);
        EXPECT_TRUE(state.players[p].closedTrail);
        EXPECT_FALSE(state.players[p].drawing);
        EXPECT_EQ(state.players[p].dy, 1);
    }
    EXPECT_EQ(state.cells[4][5], Ground);
    EXPECT_EQ(view.windowCell(4, 5), tintColour(state, defaultColours[0]));

    requestDirection(state.players[1], Right);
    logicStep(game);
    EXPECT_EQ(std::pair(state.players[0].x, state.players[0].y), std::pair(4, 12));
    EXPECT_EQ(state.players[0].dy, 0);
    EXPECT_EQ(std::pair(state.players[1].x, state.players[1].y), std::pair(10, 12));
    EXPECT_FALSE(state.players[0].closedTrail);
}

TEST_F(PlayersTest, SteppingOnTheOwnTrailKillsOneStepLaterAndErasesTheTrail)
{
    loadPicture(state, smallField, 1);
    addPlayer(0, 0, 5, 1);
    Player& player = state.players[0];
    // Down, down, right, up, left: the last step lands on the first trail cell
    requestDirection(player, Down);
    logicStep(game);
    logicStep(game);
    for (int d : { Right, Up, Left }) {
        requestDirection(player, d);
        logicStep(game);
    }
    EXPECT_EQ(std::pair(player.x, player.y), std::pair(5, 2));
    EXPECT_TRUE(player.killed);
    EXPECT_EQ(state.cells[5][2], TrailBase + 0);
    EXPECT_EQ(player.deaths, 0);

    logicStep(game);
    EXPECT_EQ(player.deaths, 1);
    EXPECT_EQ(player.respawnDelay, 6);
    EXPECT_EQ(player.y, 12);
    EXPECT_TRUE(player.shielded);
    EXPECT_FALSE(player.drawing);
    EXPECT_DOUBLE_EQ(state.teams[0].lives, 2.0);
    EXPECT_EQ(picture(state), smallField);
    for (auto [x, y] : { std::pair { 5, 2 }, { 5, 3 }, { 6, 3 }, { 6, 2 } }) {
        EXPECT_EQ(state.trailDir[x][y], 0);
        EXPECT_EQ(view.windowCell(x, y), state.palette().openColour);
    }
    EXPECT_EQ(state.blockState[1][1], AllOpen);
}

TEST_F(PlayersTest, ContactKillsTwoOnTheSameFootingButNeverAShieldedPlayer)
{
    loadPicture(state, smallField, 1);
    const auto contact = [&](int drawing0, int shielded0, int drawing1) {
        addPlayer(0, 0, 3, 3);
        addPlayer(1, 0, 4, 4); // teammates
        state.players[0].drawing = drawing0;
        state.players[0].shielded = shielded0;
        state.players[1].drawing = drawing1;
        state.players[0].killed = state.players[1].killed = 0;
        hazardPhase(state);
        return std::pair(state.players[0].killed, state.players[1].killed);
    };
    EXPECT_EQ(contact(0, 0, 0), std::pair(1, 1));
    EXPECT_EQ(contact(1, 0, 1), std::pair(1, 1));
    EXPECT_EQ(contact(0, 1, 0), std::pair(0, 0));
    EXPECT_EQ(contact(1, 0, 0), std::pair(0, 0));
}

TEST_F(PlayersTest, ClosingATwelveCellTrailCreditsItsCells)
{
    loadRealField();
    addPlayer(0, 0, 10, 2);
    drawDownFromTheTop({ 0 });
    ASSERT_EQ(state.players[0].trailLength, 11);
    guardTheRegions();
    const double fieldShare = state.fieldShare;
    logicStep(game);
    EXPECT_EQ(state.players[0].y, 15);
    EXPECT_EQ(state.players[0].trailLength, -1);
    EXPECT_DOUBLE_EQ(state.players[0].levelShare, 12.0 / 128 / 81);
    EXPECT_DOUBLE_EQ(state.teams[0].levelShare, 12.0 / 128 / 81);
    EXPECT_DOUBLE_EQ(state.fieldShare, fieldShare + 12.0 / 128 / 81);
    for (int y = 3; y <= 14; ++y)
        EXPECT_EQ(state.cells[10][y], Ground);
    EXPECT_EQ(state.blockState[1][1], BlockHasGround);
    EXPECT_EQ(view.count("UpdateScores"), 1);
}

TEST_F(PlayersTest, TwoTrailsClosingInOneStepShareOneClearingOfTheWorkGrids)
{
    loadRealField();
    addPlayer(0, 0, 10, 2);
    addPlayer(1, 1, 20, 2);
    drawDownFromTheTop({ 0, 1 });
    guardTheRegions();
    state.marks[1][1] = 99;
    state.blockMarks[0][1] = 99;
    logicStep(game);
    EXPECT_EQ(state.marks[1][1], 0);
    EXPECT_EQ(state.blockMarks[0][1], 0);
    // The ground above each trail keeps the seed of its closer: the second closure did not wipe
    // the first one's seeds
    EXPECT_EQ(state.marks[10][2], 1);
    EXPECT_EQ(state.marks[20][2], 2);
    EXPECT_DOUBLE_EQ(state.players[1].levelShare, 12.0 / 128 / 81);
}
