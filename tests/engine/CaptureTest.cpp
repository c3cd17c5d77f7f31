#include "Capture.h"
#include "FakeView.h"
#include "FieldPicture.h"

#include <gtest/gtest.h>

#include <random>

using namespace fendral;

struct CaptureTest : testing::Test, TestGame {
    // From a fresh state in which player p plays in team p, except player 1 who plays in
    // `secondTeam`: loads the picture, closes the trails of the closing players and captures.
    void captureAfterClosing(const std::vector<std::string>& rows,
        std::initializer_list<int> closing, int borderWidth = 2, int secondTeam = 1)
    {
        state = GameState {};
        for (int p = 0; p < PlayerCount; ++p)
            state.players[p] = { .team = p == 1 ? secondTeam : p, .colour = defaultColours[p] };
        loadPicture(state, rows, borderWidth);
        view.cells.clear();
        closeTrails(state, closing);
        closed = state;
        capture(game);
    }
    double cellShare(int cells) const { return static_cast<double>(cells) / state.W / state.H; }

    GameState closed; // the state the capture started from
};

// A 30 x 26 field whose interior, columns 3..28 and rows 3..24, is cut by a trail down column 12:
// rows 3..splitRow by player 0, the rest by player 1. An enemy sits on the left; the right side,
// 16 x 22 cells with two whole-open blocks, holds what `right` says.
static std::vector<std::string> cutField(int splitRow, char right = '.')
{
    std::vector<std::string> rows = openPicture(30, 26, 2);
    for (int y = 3; y <= 24; ++y)
        rows[y - 1][12 - 1] = y <= splitRow ? 'a' : 'b';
    rows[10 - 1][5 - 1] = 'o';
    rows[20 - 1][25 - 1] = right;
    return rows;
}
constexpr int RightSide = 16 * 22;

TEST_F(CaptureTest, TwoClosersPaintPlainGroundAndShareOnlyWhenTeammates)
{
    for (int secondTeam : { 0, 1 }) {
        SCOPED_TRACE(secondTeam);
        captureAfterClosing(cutField(13), { 0, 1 }, 2, secondTeam);
        EXPECT_EQ(view.cells[std::pair(20, 20)], state.palette().groundColour);
        const double half = secondTeam == 0 ? cellShare(RightSide) / 2 : 0;
        EXPECT_EQ(std::pair(state.players[0].levelShare, state.players[1].levelShare),
            std::pair(half, half));
        EXPECT_DOUBLE_EQ(state.fieldShare, cellShare(RightSide));
    }
}

TEST_F(CaptureTest, SerpentineFieldIsCapturedWholeWithoutExhaustingTheStack)
{
    std::vector<std::string> rows = serpentinePicture(128, 81, 2);
    rows[3 - 1][3 - 1] = 'a'; // a one-cell trail at the start of the corridor
    captureAfterClosing(rows, { 0 });
    EXPECT_EQ(std::pair(state.cells[3][79], state.cells[126][79]), std::pair(Ground, Ground));
}

TEST_F(CaptureTest, BlockFillsCaptureExactlyWhatAPlainFloodFillFromTheSeedsCaptures)
{
    std::mt19937 random(20240611);
    const auto pick = [&random](int high) { return static_cast<int>(random() % (high + 1)); };
    for (int field = 0; field < 60; ++field) {
        SCOPED_TRACE(field);
        // Wandering lines of ground, trails of players 0 and 1 (closing) and 2, a few open enemies
        const int b = 2 + field % 3;
        std::vector<std::string> rows = openPicture(128, 81, b);
        const auto at = [&](int x, int y) -> char& {
            return rows[std::clamp(y, b, 80 - b)][std::clamp(x, b, 127 - b)];
        };
        for (const char c : { '#', '#', '#', 'a', 'b', 'c' })
            for (int x = pick(127), y = pick(80), d = pick(3), n = pick(400); n > 0; --n) {
                at(x, y) = at(x, y) == '.' ? c : at(x, y);
                d = pick(9) == 0 ? pick(3) : d;
                x = std::clamp(x + directionStep(d).dx, b, 127 - b);
                y = std::clamp(y + directionStep(d).dy, b, 80 - b);
            }
        for (int n = pick(6), x = pick(127), y = pick(80); n > 0; --n, x = pick(127), y = pick(80))
            at(x, y) = at(x, y) == '.' ? 'o' : at(x, y);
        captureAfterClosing(rows, { 0, 1 }, b, pick(1));

        // Flood each seeded region cell by cell on a copy that turns flooded cells into ground
        // and flags enemies in trailDir; every region without an enemy should have been taken
        GameState flood = closed;
        for (const Enemy& enemy : closed.openEnemies)
            flood.trailDir[enemy.x][enemy.y] = 1;
        double share = 0;
        for (int x = 1; x <= state.W; ++x)
            for (int y = 1; y <= state.H; ++y) {
                if (flood.cells[x][y] != Open || flood.marks[x][y] < 1 || flood.marks[x][y] > 15)
                    continue;
                std::vector<std::pair<int, int>> region { { x, y } };
                flood.cells[x][y] = Ground;
                bool holdsEnemy = false;
                for (std::size_t i = 0; i < region.size(); ++i) {
                    const auto [cx, cy] = region[i];
                    holdsEnemy |= flood.trailDir[cx][cy] == 1;
                    for (int d = 0; d < 4; ++d) {
                        const int nx = cx + directionStep(d).dx, ny = cy + directionStep(d).dy;
                        if (flood.cells[nx][ny] != Ground)
                            region.push_back({ nx, ny });
                        flood.cells[nx][ny] = Ground;
                    }
                }
                for (const auto& [cx, cy] : region) {
                    share += !holdsEnemy && closed.cells[cx][cy] == Open ? cellShare(1) : 0;
                    closed.cells[cx][cy] = holdsEnemy ? closed.cells[cx][cy] : Ground;
                }
            }
        for (int x = 1; x <= state.W; ++x)
            for (int y = 1; y <= state.H; ++y)
                ASSERT_EQ(state.cells[x][y], closed.cells[x][y]) << x << ", " << y;
        EXPECT_NEAR(state.fieldShare, share, 1e-12);
    }
}
