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
        closeTrails(state, closing);
        closed = state;
        capture(game);
    }
    double cellShare(int cells) const { return static_cast<double>(cells) / state.W / state.H; }

    GameState closed; // the state the capture started from
};

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
