#include "Capture.h"

#include "FakePlatform.h"
#include "FakeView.h"
#include "FieldPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <deque>
#include <random>

namespace fendral {
namespace {

    class CaptureTest : public testing::Test {
    protected:
        CaptureTest()
        {
            for (int p = 0; p < PlayerCount; ++p) {
                state.players[p].team = p;
                state.players[p].colour = defaultColours[p];
            }
        }

        // Loads and paints the picture, closes the trails of the closing players and runs the
        // capture.
        void captureAfterClosing(const std::vector<std::string>& rows,
            std::initializer_list<int> closing, int borderWidth = 2)
        {
            loadPicture(state, rows, borderWidth);
            view.paintNewField();
            closeTrails(state, closing);
            capture(game);
        }

        int groundCells(int x0, int x1, int y0, int y1) const
        {
            int ground = 0;
            for (int x = x0; x <= x1; ++x)
                for (int y = y0; y <= y1; ++y)
                    ground += state.cells[x][y] == Ground ? 1 : 0;
            return ground;
        }

        double cellShare(int cells) const { return static_cast<double>(cells) / state.W / state.H; }

        GameState state;
        FakeView view { state };
        FakePlatform platform;
        Game game { state, view, platform };
    };

    // A 30 x 26 field whose interior, columns 3..28 and rows 3..24, is cut by a trail down column
    // 12: rows 3..splitRow by player 0, the rest by player 1. Columns 13..22 hold two whole-open
    // blocks.
    std::vector<std::string> cutField(char upper, char lower, int splitRow)
    {
        std::vector<std::string> rows = openPicture(30, 26, 2);
        for (int y = 3; y <= 24; ++y)
            rows[y - 1][12 - 1] = y <= splitRow ? upper : lower;
        rows[10 - 1][5 - 1] = 'o';
        return rows;
    }

    constexpr int RightSideCells = 16 * 22; // columns 13..28, rows 3..24

    TEST_F(CaptureTest, EnemySideStaysOpenAndTheOtherSideTakesTheClosingPlayersTint)
    {
        captureAfterClosing(cutField('a', 'a', 24), { 0 });

        EXPECT_EQ(groundCells(3, 11, 3, 24), 0);
        EXPECT_EQ(groundCells(13, 28, 3, 24), RightSideCells);
        const Colour tint = tintColour(state, defaultColours[0]);
        for (int x = 13; x <= 28; ++x)
            for (int y = 3; y <= 24; ++y) {
                EXPECT_EQ(view.backBufferPixel(x, y), tint);
                EXPECT_EQ(view.windowCell(x, y), tint);
            }
        EXPECT_EQ(view.count("fillBlock"), 2);
        EXPECT_DOUBLE_EQ(state.players[0].levelShare, cellShare(RightSideCells));
        EXPECT_DOUBLE_EQ(state.teams[0].totalShare, cellShare(RightSideCells));
        EXPECT_DOUBLE_EQ(state.fieldShare, cellShare(RightSideCells));
        EXPECT_EQ(state.blockState[2][1], BlockHasGround);
    }

    TEST_F(CaptureTest, TwoPlayersOfOneTeamSplitTheirRegionInThePlainGroundColour)
    {
        state.players[1].team = 0;
        captureAfterClosing(cutField('a', 'b', 13), { 0, 1 });

        EXPECT_EQ(groundCells(13, 28, 3, 24), RightSideCells);
        EXPECT_EQ(view.backBufferPixel(20, 20), state.palette().groundColour);
        EXPECT_DOUBLE_EQ(state.players[0].levelShare, cellShare(RightSideCells) / 2);
        EXPECT_DOUBLE_EQ(state.players[1].levelShare, cellShare(RightSideCells) / 2);
        EXPECT_DOUBLE_EQ(state.teams[0].levelShare, cellShare(RightSideCells));
    }

    TEST_F(CaptureTest, PlayersOfTwoTeamsCreditNobodyButTheFieldGrows)
    {
        captureAfterClosing(cutField('a', 'b', 13), { 0, 1 });

        EXPECT_EQ(groundCells(13, 28, 3, 24), RightSideCells);
        EXPECT_EQ(view.backBufferPixel(20, 20), state.palette().groundColour);
        for (int p = 0; p < PlayerCount; ++p) {
            EXPECT_EQ(state.players[p].levelShare, 0.0);
            EXPECT_EQ(state.teams[p].levelShare, 0.0);
        }
        EXPECT_DOUBLE_EQ(state.fieldShare, cellShare(RightSideCells));
    }

    TEST_F(CaptureTest, TrailWithAnEnemyInEveryNeighbouringRegionCapturesNothing)
    {
        std::vector<std::string> rows = cutField('a', 'a', 24);
        rows[20 - 1][25 - 1] = 'o';
        captureAfterClosing(rows, { 0 });

        EXPECT_EQ(groundCells(3, 11, 3, 24) + groundCells(13, 28, 3, 24), 0);
        EXPECT_EQ(view.count("fillBlock"), 0);
        EXPECT_EQ(view.windowCell(20, 20), state.palette().openColour);
        EXPECT_EQ(state.fieldShare, 0.0);
    }

    TEST_F(CaptureTest, AnotherPlayersUnfinishedTrailInsideTheRegionIsConvertedButNotCounted)
    {
        std::vector<std::string> rows = cutField('a', 'a', 24);
        for (int x = 15; x <= 21; ++x)
            rows[18 - 1][x - 1] = 'b';
        captureAfterClosing(rows, { 0 });

        EXPECT_EQ(groundCells(13, 28, 3, 24), RightSideCells);
        EXPECT_EQ(view.count("fillBlock"), 1); // the trail's block is painted cell by cell
        EXPECT_DOUBLE_EQ(state.players[0].levelShare, cellShare(RightSideCells - 7));
        EXPECT_EQ(state.players[1].levelShare, 0.0);
    }

    TEST_F(CaptureTest, AWholeOpenBlockCountsExactlyAHundredCells)
    {
        // The trail runs down column 13 and back along row 13, fencing in block (1, 1) exactly
        std::vector<std::string> rows = openPicture(24, 24, 2);
        for (int i = 3; i <= 13; ++i)
            rows[i - 1][13 - 1] = rows[13 - 1][i - 1] = 'a';
        rows[20 - 1][20 - 1] = 'o';
        captureAfterClosing(rows, { 0 });

        EXPECT_EQ(groundCells(3, 12, 3, 12), 100);
        EXPECT_EQ(view.count("fillBlock"), 1);
        EXPECT_DOUBLE_EQ(state.fieldShare, cellShare(100));
    }

    TEST_F(CaptureTest, CaptureNeedingFarMoreThan231FillsCompletes)
    {
        // Player 0's trail encloses a band of whole-open blocks. Its enemy sits behind player 2's
        // unfinished trail, which ends the enemy's marking runs but not the fills, so every seed
        // cell of the blocks keeps its seed and costs a fill of its own that stops at once. Player
        // 1 fences off a pocket of six cells at the left border, which the scan reaches last.
        std::vector<std::string> rows = openPicture(128, 81, 2);
        for (int x = 3; x <= 125; ++x)
            rows[12 - 1][x - 1] = rows[23 - 1][x - 1] = 'a';
        for (int y = 12; y <= 23; ++y)
            rows[y - 1][125 - 1] = 'a';
        for (int i = 3; i <= 5; ++i)
            rows[76 - 1][i - 1] = 'b';
        for (int y = 76; y <= 79; ++y)
            rows[y - 1][5 - 1] = 'b';
        for (int y = 13; y <= 22; ++y)
            rows[y - 1][123 - 1] = 'c';
        rows[17 - 1][124 - 1] = 'o';
        rows[50 - 1][60 - 1] = 'o';
        captureAfterClosing(rows, { 0, 1 });

        // A cell still open and seeded was a seed when the scan met it, and so started a fill
        int fillsBeforePocket = 0;
        for (int x = 5; x <= 126; ++x)
            for (int y = 3; y <= 79; ++y)
                if (state.cells[x][y] == Open && state.marks[x][y] >= 1 && state.marks[x][y] <= 15)
                    ++fillsBeforePocket;
        EXPECT_GT(fillsBeforePocket, 231);

        EXPECT_EQ(groundCells(3, 4, 77, 79), 6);
        EXPECT_EQ(view.backBufferPixel(3, 79), tintColour(state, defaultColours[1]));
        EXPECT_DOUBLE_EQ(state.players[1].levelShare, cellShare(6));
        EXPECT_EQ(groundCells(3, 124, 13, 22), 0);
        EXPECT_EQ(groundCells(3, 126, 24, 75), 0);
    }

    TEST_F(CaptureTest, SerpentineFieldIsCapturedWholeWithoutExhaustingTheStack)
    {
        std::vector<std::string> rows = serpentinePicture(128, 81, 2);
        rows[3 - 1][3 - 1] = 'a'; // a one-cell trail at the start of the corridor
        loadPicture(state, rows, 2);
        int corridor = 0;
        for (const std::string& row : rows)
            corridor += static_cast<int>(std::count(row.begin(), row.end(), '.'));
        closeTrails(state, { 0 });
        capture(game);

        EXPECT_EQ(groundCells(1, 128, 1, 81), 128 * 81);
        EXPECT_DOUBLE_EQ(state.fieldShare, cellShare(corridor));
    }

    TEST_F(CaptureTest, SerpentineFieldHoldingAnEnemyStaysOpen)
    {
        std::vector<std::string> rows = serpentinePicture(128, 81, 2);
        rows[3 - 1][3 - 1] = 'a';
        rows[79 - 1][64 - 1] = 'o';
        captureAfterClosing(rows, { 0 });

        EXPECT_EQ(picture(state)[78][80], '.');
        EXPECT_EQ(picture(state)[2][3], '.');
        EXPECT_EQ(state.fieldShare, 0.0);
    }

    // A random 128 x 81 field: ground blobs, wandering trails of players 0 and 1 (closing) and 2
    // (unfinished), and a few open enemies.
    std::vector<std::string> randomField(std::mt19937& random, int borderWidth)
    {
        auto pick = [&random](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        const int first = borderWidth;
        const int lastX = 127 - borderWidth;
        const int lastY = 80 - borderWidth;
        std::vector<std::string> rows = openPicture(128, 81, borderWidth);
        for (int blob = pick(0, 8); blob > 0; --blob) {
            const int x0 = pick(first, lastX);
            const int y0 = pick(first, lastY);
            for (int x = x0; x <= std::min(lastX, x0 + pick(0, 25)); ++x)
                for (int y = y0; y <= std::min(lastY, y0 + pick(0, 15)); ++y)
                    rows[y][x] = '#';
        }
        for (const char trail : { 'a', 'b', 'c' }) {
            int x = pick(first, lastX);
            int y = pick(first, lastY);
            Step step = directionStep(pick(0, 3));
            for (int length = pick(0, 400); length > 0; --length) {
                if (rows[y][x] == '.')
                    rows[y][x] = trail;
                if (pick(0, 9) == 0)
                    step = directionStep(pick(0, 3));
                x = std::clamp(x + step.dx, first, lastX);
                y = std::clamp(y + step.dy, first, lastY);
            }
        }
        for (int enemies = pick(0, 6); enemies > 0; --enemies) {
            const int x = pick(first, lastX);
            const int y = pick(first, lastY);
            if (rows[y][x] == '.')
                rows[y][x] = 'o';
        }
        return rows;
    }

    struct Cell {
        int x;
        int y;
    };

    struct Region {
        std::vector<Cell> cells;
        unsigned owners = 0;
        int open = 0;
        bool holdsEnemy = false;
    };

    // The plain cell-by-cell flood fill of the non-ground region around (x, y).
    Region floodFill(const GameState& state, Grid<uint8_t>& seen, int x, int y)
    {
        Region region;
        std::deque<Cell> pending { { x, y } };
        seen[x][y] = 1;
        while (!pending.empty()) {
            const Cell cell = pending.front();
            pending.pop_front();
            region.cells.push_back(cell);
            region.owners |= state.marks[cell.x][cell.y];
            region.open += state.cells[cell.x][cell.y] == Open ? 1 : 0;
            for (int d = 0; d < 4; ++d) {
                const Cell next { cell.x + directionStep(d).dx, cell.y + directionStep(d).dy };
                const uint8_t code = state.cells[next.x][next.y];
                if (!seen[next.x][next.y] && code != Ground && code != Outside) {
                    seen[next.x][next.y] = 1;
                    pending.push_back(next);
                }
            }
        }
        for (const Enemy& enemy : state.openEnemies)
            for (const Cell cell : region.cells)
                region.holdsEnemy |= cell.x == enemy.x && cell.y == enemy.y;
        return region;
    }

    TEST_F(CaptureTest, BlockFillsCaptureExactlyWhatAPlainFloodFillFromTheSeedsCaptures)
    {
        std::mt19937 random(20240611);
        for (int field = 0; field < 200; ++field) {
            SCOPED_TRACE(field);
            state = GameState {};
            state.levelColour = field % 7;
            for (int p = 0; p < PlayerCount; ++p) {
                state.players[p].team = p == 1 ? static_cast<int>(random() % 2) : p;
                state.players[p].colour = defaultColours[p];
            }
            loadPicture(state, randomField(random, 2 + field % 3), 2 + field % 3);
            closeTrails(state, { 0, 1 });

            std::vector<std::string> expected = picture(state);
            std::vector<std::pair<Cell, Colour>> expectedColours;
            double expectedShare = 0;
            Grid<uint8_t> seen;
            seen.allocate(state.W + 2, state.H + 2);
            for (int x = 1; x <= state.W; ++x)
                for (int y = 1; y <= state.H; ++y) {
                    const uint16_t mark = state.marks[x][y];
                    if (seen[x][y] || state.cells[x][y] != Open || mark < 1 || mark > 15)
                        continue;
                    const Region region = floodFill(state, seen, x, y);
                    if (region.holdsEnemy)
                        continue;
                    const Colour colour = std::popcount(region.owners) >= 2
                        ? state.palette().groundColour
                        : tintColour(state, defaultColours[std::countr_zero(region.owners)]);
                    for (const Cell cell : region.cells) {
                        expected[cell.y - 1][cell.x - 1] = '#';
                        expectedColours.push_back({ cell, colour });
                    }
                    expectedShare += cellShare(region.open);
                }

            FakeView fieldView { state };
            Game fieldGame { state, fieldView, platform };
            capture(fieldGame);

            ASSERT_EQ(picture(state), expected);
            EXPECT_NEAR(state.fieldShare, expectedShare, 1e-12);
            for (const auto& [cell, colour] : expectedColours)
                ASSERT_EQ(fieldView.windowCell(cell.x, cell.y), colour) << cell.x << ", " << cell.y;
        }
    }

} // namespace
} // namespace fendral
