// The field on the canvas and in the BackBuffer: cells, new fields, sprites and their glide
#include "FieldRenderer.h"
#include "QtColour.h"

#include <QRegion>
#include <gtest/gtest.h>

#include <optional>

using namespace fendral;

namespace {

// A 20 x 15 field, freshly painted, set off from the canvas corner so that a forgotten origin shows
class FieldRendererTest : public ::testing::Test {
protected:
    static constexpr int OriginX = 16, OriginY = 8;

    FieldRendererTest()
    {
        state.allocateGrids(20, 15);
        canvas.fill(Qt::darkCyan);
        renderer.setOrigin(OriginX, OriginY);
        renderer.createBackBuffer();
        renderer.setDirtyCallback([this](const QRect& rect) { dirty += rect; });
        renderer.paintNewField();
    }

    QRgb ground() const { return qtRgb(state.palette().groundColour); }
    QRgb open() const { return qtRgb(state.palette().openColour); }
    QRgb backBuffer(int x, int y) const { return renderer.backBuffer().pixel(x, y); }

    // The colour of cell (x, y) on the canvas, if all its 8 x 8 pixels have one colour.
    std::optional<QRgb> cellOnCanvas(int x, int y) const
    {
        const QImage cell = canvas.copy(OriginX + 8 * (x - 1), OriginY + 8 * (y - 1), 8, 8);
        QImage uniform(8, 8, cell.format());
        uniform.fill(cell.pixel(0, 0));
        return cell == uniform ? std::optional(cell.pixel(0, 0)) : std::nullopt;
    }

    // Checks the square drawn at (drawnX, drawnY): `fill` inside a black frame, crossed in black
    // by the player's rising diagonal and the shield's falling one.
    void expectSquare(int drawnX, int drawnY, Colour fill, bool rising, bool falling) const
    {
        for (int dy = 0; dy < 8; ++dy)
            for (int dx = 0; dx < 8; ++dx) {
                const bool edge = dx == 0 || dy == 0 || dx == 7 || dy == 7;
                const bool onLine = (rising && dx + dy == 7) || (falling && dx == dy);
                EXPECT_EQ(canvas.pixel(OriginX + drawnX + dx, OriginY + drawnY + dy),
                    edge || onLine ? qRgb(0, 0, 0) : qtRgb(fill))
                    << "square at " << drawnX << ", " << drawnY << ", pixel " << dx << ", " << dy;
            }
    }

    // Player p drawn on cell (x, y), having just stepped by (dx, dy)
    void placePlayer(int p, int x, int y, int dx = 0, int dy = 0)
    {
        Player& player = state.players[p];
        player = { .colour = defaultColours[p], .dx = dx, .dy = dy, .alive = 1 };
        player.x = x + dx;
        player.y = y + dy;
        player.drawnX = 8 * (x - 1);
        player.drawnY = 8 * (y - 1);
    }

    // An enemy drawn on cell (x, y), having just stepped by (dx, dy)
    static Enemy enemyFrom(int x, int y, int dx = 1, int dy = 1)
    {
        return Enemy { x + dx, y + dy, dx, dy, 8 * (x - 1), 8 * (y - 1) };
    }

    GameState state;
    QImage canvas { OriginX + 8 * 20 + 8, OriginY + 8 * 15 + 8, QImage::Format_RGB32 };
    FieldRenderer renderer { state, canvas };
    QRegion dirty;
};

TEST_F(FieldRendererTest, NewFieldShowsTheGroundRingAroundTheOpenInteriorInBlocksOfEight)
{
    state.levelColour = 3;
    for (int b : { 2, 3, 4 }) {
        SCOPED_TRACE(b);
        state.borderWidth = b;
        dirty = QRegion();
        renderer.paintNewField();
        for (int y = 1; y <= state.H; ++y)
            for (int x = 1; x <= state.W; ++x) {
                const bool ring = x <= b || y <= b || x > state.W - b || y > state.H - b;
                ASSERT_EQ(backBuffer(x, y), ring ? ground() : open()) << x << ", " << y;
                ASSERT_EQ(cellOnCanvas(x, y), ring ? ground() : open()) << x << ", " << y;
            }
        EXPECT_EQ(dirty, QRegion(OriginX, OriginY, 8 * state.W, 8 * state.H));
    }
}

TEST_F(FieldRendererTest, CellOperationsAndBlockFillsReachTheRightImages)
{
    renderer.setBackBufferPixel(6, 6, 0x0000FF);
    EXPECT_EQ(backBuffer(6, 6), qRgb(255, 0, 0));
    EXPECT_EQ(cellOnCanvas(6, 6), open());

    dirty = QRegion();
    renderer.paintCell(7, 6, 0x00FF00);
    EXPECT_EQ(cellOnCanvas(7, 6), qRgb(0, 255, 0));
    EXPECT_EQ(backBuffer(7, 6), open());
    EXPECT_EQ(dirty, QRegion(OriginX + 48, OriginY + 40, 8, 8));

    renderer.refreshCell(6, 6);
    EXPECT_EQ(cellOnCanvas(6, 6), qRgb(255, 0, 0));

    renderer.setCellColour(8, 6, 0xFF0000);
    EXPECT_EQ(backBuffer(8, 6), qRgb(0, 0, 255));
    EXPECT_EQ(cellOnCanvas(8, 6), qRgb(0, 0, 255));

    // A block covers ten by ten cells on both images
    renderer.fillBlock(3, 4, 0x123456);
    for (int y = 3; y <= 14; ++y)
        for (int x = 2; x <= 13; ++x) {
            const bool inside = x >= 3 && x <= 12 && y >= 4 && y <= 13;
            const QRgb expected = inside ? qtRgb(0x123456) : x == 2 || y == 14 ? ground() : open();
            EXPECT_EQ(backBuffer(x, y), expected) << x << ", " << y;
            EXPECT_EQ(cellOnCanvas(x, y), expected) << x << ", " << y;
        }
}

TEST_F(FieldRendererTest, SpritesAreFramedSquaresDrawnEnemiesFirstAndListsLastToFirst)
{
    // At (5, 5) a ground enemy under two open enemies, half a cell apart, under shielded Beta
    state.groundEnemies = { enemyFrom(5, 5), enemyFrom(1, 1) };
    state.openEnemies = { enemyFrom(5, 5), Enemy { 6, 5, 1, 1, 36, 32 } };
    placePlayer(1, 6, 5);
    state.players[1].shielded = 1;
    renderer.drawSprites(false);

    // Players out of play stay undrawn, though their sprite sits on (1, 1) too
    expectSquare(0, 0, state.palette().groundEnemyColour, false, false);
    expectSquare(32, 32, state.palette().openEnemyColour, false, false);
    expectSquare(40, 32, defaultColours[1], true, true);
}

TEST_F(FieldRendererTest, GlidingSpritesEraseTheCellsTheyLeaveAndRepaintMidway)
{
    state.stepMultiplier = 4;
    // Both have just stepped: the enemy from (5, 5) to (6, 6), Alpha from (9, 9) to (10, 9)
    state.openEnemies = { enemyFrom(5, 5) };
    placePlayer(0, 9, 9, 1);
    renderer.drawSprites(true);

    // A repaint in the middle of the move shows the sprites where they are, not on their cells
    canvas.fill(Qt::black);
    renderer.presentField();
    renderer.drawSprites(false);
    expectSquare(36, 36, state.palette().openEnemyColour, false, false);
    expectSquare(68, 64, defaultColours[0], true, false);
    EXPECT_EQ(canvas.pixel(OriginX + 67, OriginY + 64), open());

    renderer.drawSprites(true);
    for (const QPoint& left : { QPoint(5, 5), QPoint(6, 5), QPoint(5, 6), QPoint(9, 9) })
        EXPECT_EQ(cellOnCanvas(left.x(), left.y()), open()) << left.x() << ", " << left.y();
}

// The window repaints only what the renderer reports: every pixel a glide changes must lie in a
// reported rectangle, through a whole logic step of moving, stopping and newly placed sprites.
TEST_F(FieldRendererTest, EveryPixelAGlideChangesIsReported)
{
    state.openEnemies = { enemyFrom(6, 6), enemyFrom(10, 6, -1, 1), enemyFrom(10, 7, 1, -1) };
    state.groundEnemies = { enemyFrom(1, 1) };
    placePlayer(0, 4, 12, 1);
    placePlayer(1, 15, 10, 0, -1);
    placePlayer(2, 8, 14);
    const GameState stepped = state;

    for (int s : { 1, 2, 4 }) {
        SCOPED_TRACE(s);
        state = stepped;
        state.stepMultiplier = s;
        renderer.presentField();
        renderer.drawSprites(false);
        for (int tick = 0; tick < 8 / s; ++tick) {
            dirty = QRegion();
            const QImage before = canvas.copy();
            renderer.drawSprites(true);
            for (int y = 0; y < canvas.height(); ++y)
                for (int x = 0; x < canvas.width(); ++x)
                    ASSERT_TRUE(
                        canvas.pixel(x, y) == before.pixel(x, y) || dirty.contains(QPoint(x, y)))
                        << x << ", " << y;
        }
    }
}

} // namespace
