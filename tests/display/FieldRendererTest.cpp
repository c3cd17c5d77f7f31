// The field on the canvas and in the BackBuffer: cells, new fields, sprites and their glide
#include "FieldRenderer.h"
#include "QtColour.h"

#include <QDir>
#include <QRegion>
#include <gtest/gtest.h>

#include <optional>

using namespace fendral;

namespace {

constexpr QRgb Black = qRgb(0, 0, 0);

class FieldRendererTest : public ::testing::Test {
protected:
    // A small field set off from the canvas corner, so that a forgotten origin shows
    static constexpr int OriginX = 16;
    static constexpr int OriginY = 8;

    FieldRendererTest()
        : canvas(OriginX + 8 * 20 + 8, OriginY + 8 * 15 + 8, QImage::Format_RGB32)
        , renderer(state, canvas)
    {
        state.allocateGrids(20, 15);
        canvas.fill(Qt::darkCyan);
        renderer.setOrigin(OriginX, OriginY);
        renderer.createBackBuffer();
        renderer.setDirtyCallback([this](const QRect& rect) { dirty = dirty.united(rect); });
    }

    // The colour of cell (x, y) on the canvas, if all its 8 x 8 pixels have one colour.
    std::optional<QRgb> cellOnCanvas(int x, int y) const
    {
        const int left = OriginX + 8 * (x - 1);
        const int top = OriginY + 8 * (y - 1);
        const QRgb first = canvas.pixel(left, top);
        for (int py = top; py < top + 8; ++py)
            for (int px = left; px < left + 8; ++px)
                if (canvas.pixel(px, py) != first)
                    return std::nullopt;
        return first;
    }

    QRgb backBuffer(int x, int y) const { return renderer.backBuffer().pixel(x, y); }

    QRgb pixel(int drawnX, int drawnY, int dx, int dy) const
    {
        return canvas.pixel(OriginX + drawnX + dx, OriginY + drawnY + dy);
    }

    // Checks that the square drawn at (drawnX, drawnY) has a black frame around `fill`, leaving
    // out the pixels of its diagonals.
    void expectSquare(int drawnX, int drawnY, QRgb fill, bool rising, bool falling) const
    {
        for (int dy = 0; dy < 8; ++dy)
            for (int dx = 0; dx < 8; ++dx) {
                const bool edge = dx == 0 || dy == 0 || dx == 7 || dy == 7;
                const bool onLine = (rising && dx + dy == 7) || (falling && dx == dy);
                EXPECT_EQ(pixel(drawnX, drawnY, dx, dy), edge || onLine ? Black : fill)
                    << "pixel " << dx << ", " << dy;
            }
    }

    void placePlayer(int p, int x, int y)
    {
        Player& player = state.players[p];
        player.alive = 1;
        player.x = x;
        player.y = y;
        player.drawnX = 8 * (x - 1);
        player.drawnY = 8 * (y - 1);
        player.colour = defaultColours[p];
    }

    Enemy enemyOn(int x, int y, int dx, int dy)
    {
        return Enemy { x, y, dx, dy, 8 * (x - 1), 8 * (y - 1) };
    }

    void saveShot(const char* name) const
    {
        const QByteArray folder = qgetenv("FENDRAL_TEST_SHOTS");
        if (!folder.isEmpty())
            canvas.save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name)));
    }

    GameState state;
    QImage canvas;
    FieldRenderer renderer;
    QRect dirty;
};

TEST_F(FieldRendererTest, NewFieldShowsTheGroundRingAroundTheOpenInteriorInBlocksOfEight)
{
    state.levelColour = 3;
    const QRgb ground = qtRgb(state.palette().groundColour);
    const QRgb open = qtRgb(state.palette().openColour);
    for (int b : { 2, 3, 4 }) {
        SCOPED_TRACE(b);
        state.borderWidth = b;
        dirty = QRect();
        renderer.paintNewField();
        for (int y = 1; y <= state.H; ++y)
            for (int x = 1; x <= state.W; ++x) {
                const bool ring = x <= b || y <= b || x > state.W - b || y > state.H - b;
                const QRgb expected = ring ? ground : open;
                ASSERT_EQ(backBuffer(x, y), expected) << x << ", " << y;
                ASSERT_EQ(cellOnCanvas(x, y), expected) << x << ", " << y;
            }
        EXPECT_EQ(dirty, QRect(OriginX, OriginY, 8 * state.W, 8 * state.H));
    }
    // Nothing outside the field is touched
    EXPECT_EQ(canvas.pixel(OriginX - 1, OriginY), QColor(Qt::darkCyan).rgb());
    EXPECT_EQ(canvas.pixel(OriginX + 8 * state.W, OriginY), QColor(Qt::darkCyan).rgb());
}

TEST_F(FieldRendererTest, CellOperationsKeepWindowAndBackBufferApart)
{
    renderer.paintNewField();
    const QRgb open = qtRgb(state.palette().openColour);

    renderer.setBackBufferPixel(6, 6, 0x0000FF);
    EXPECT_EQ(backBuffer(6, 6), qRgb(255, 0, 0));
    EXPECT_EQ(cellOnCanvas(6, 6), open);

    dirty = QRect();
    renderer.paintCell(7, 6, 0x00FF00);
    EXPECT_EQ(cellOnCanvas(7, 6), qRgb(0, 255, 0));
    EXPECT_EQ(backBuffer(7, 6), open);
    EXPECT_EQ(dirty, QRect(OriginX + 48, OriginY + 40, 8, 8));

    renderer.refreshCell(6, 6);
    renderer.refreshCell(7, 6);
    EXPECT_EQ(cellOnCanvas(6, 6), qRgb(255, 0, 0));
    EXPECT_EQ(cellOnCanvas(7, 6), open);

    renderer.setCellColour(8, 6, 0xFF0000);
    EXPECT_EQ(backBuffer(8, 6), qRgb(0, 0, 255));
    EXPECT_EQ(cellOnCanvas(8, 6), qRgb(0, 0, 255));
}

TEST_F(FieldRendererTest, BlockFillCoversTenByTenCellsOnBothImages)
{
    renderer.paintNewField();
    const QRgb open = qtRgb(state.palette().openColour);
    const QRgb ground = qtRgb(state.palette().groundColour);
    renderer.fillBlock(3, 4, 0x123456);
    for (int y = 3; y <= 14; ++y)
        for (int x = 2; x <= 13; ++x) {
            const bool inside = x >= 3 && x <= 12 && y >= 4 && y <= 13;
            const bool ring = x == 2 || y == 14;
            const QRgb expected = inside ? qtRgb(0x123456) : ring ? ground : open;
            EXPECT_EQ(backBuffer(x, y), expected) << x << ", " << y;
            EXPECT_EQ(cellOnCanvas(x, y), expected) << x << ", " << y;
        }
}

TEST_F(FieldRendererTest, SpritesAreFramedSquaresWithThePlayersDiagonalAndTheShieldedCross)
{
    state.levelColour = 0;
    renderer.paintNewField();
    state.groundEnemies = { enemyOn(1, 1, 1, 1) };
    state.openEnemies = { enemyOn(10, 8, -1, 1) };
    placePlayer(0, 5, 15);
    placePlayer(2, 9, 15);
    state.players[2].shielded = 1;
    renderer.drawSprites(false);
    saveShot("fendral-sprites.png");

    expectSquare(0, 0, qtRgb(state.palette().groundEnemyColour), false, false);
    expectSquare(72, 56, qtRgb(state.palette().openEnemyColour), false, false);
    expectSquare(32, 112, qtRgb(defaultColours[0]), true, false);
    expectSquare(64, 112, qtRgb(defaultColours[2]), true, true);
    // Players out of play are not drawn
    EXPECT_EQ(cellOnCanvas(1, 15), qtRgb(state.palette().groundColour));
}

TEST_F(FieldRendererTest, LaterSpritesCoverEarlierOnes)
{
    renderer.paintNewField();
    state.groundEnemies = { enemyOn(5, 5, 1, 1) };
    state.openEnemies = { enemyOn(5, 5, 1, 1), enemyOn(6, 5, 1, 1) };
    placePlayer(1, 6, 5);
    renderer.drawSprites(false);
    // The last open enemy is drawn first, so the first one covers the ground enemy
    expectSquare(32, 32, qtRgb(state.palette().openEnemyColour), false, false);
    expectSquare(40, 32, qtRgb(defaultColours[1]), true, false);
}

TEST_F(FieldRendererTest, GlidingSpritesEraseTheCellsTheyLeaveAndRepaintMidway)
{
    state.levelColour = 4;
    state.stepMultiplier = 4;
    renderer.paintNewField();
    const QRgb open = qtRgb(state.palette().openColour);
    // Both have just stepped: the enemy from (5, 5) to (6, 6), the player from (9, 9) to (10, 9)
    Enemy enemy = enemyOn(6, 6, 1, 1);
    enemy.drawnX -= 8;
    enemy.drawnY -= 8;
    state.openEnemies = { enemy };
    placePlayer(0, 10, 9);
    state.players[0].dx = 1;
    state.players[0].drawnX -= 8;
    placePlayer(3, 3, 12); // stands still
    renderer.drawSprites(false);

    renderer.drawSprites(true);
    EXPECT_EQ(state.openEnemies[0].drawnX, 36);
    EXPECT_EQ(state.openEnemies[0].drawnY, 36);
    EXPECT_EQ(state.players[0].drawnX, 68);

    // A repaint in the middle of the move shows the sprites where they are, not on their cells
    canvas.fill(Qt::black);
    renderer.presentField();
    renderer.drawSprites(false);
    expectSquare(36, 36, qtRgb(state.palette().openEnemyColour), false, false);
    expectSquare(68, 64, qtRgb(defaultColours[0]), true, false);
    EXPECT_EQ(pixel(36, 36, -1, -1), open);
    EXPECT_EQ(pixel(68, 64, -1, 0), open);

    renderer.drawSprites(true);
    expectSquare(40, 40, qtRgb(state.palette().openEnemyColour), false, false);
    expectSquare(72, 64, qtRgb(defaultColours[0]), true, false);
    // The cells left behind are whole again
    EXPECT_EQ(cellOnCanvas(5, 5), open);
    EXPECT_EQ(cellOnCanvas(6, 5), open);
    EXPECT_EQ(cellOnCanvas(5, 6), open);
    EXPECT_EQ(cellOnCanvas(9, 9), open);
    EXPECT_EQ(state.players[3].drawnX, 16);
    expectSquare(16, 88, qtRgb(defaultColours[3]), true, false);
    saveShot("fendral-glide.png");
}

} // namespace

// The window repaints only what the renderer reports: every pixel a glide changes must lie in a
// reported rectangle, through a whole logic step of moving, stopping and newly placed sprites.
TEST_F(FieldRendererTest, EveryPixelAGlideChangesIsReported)
{
    renderer.paintNewField();
    state.openEnemies = { enemyOn(6, 6, 1, 1), enemyOn(10, 6, -1, 1), enemyOn(10, 7, 1, -1) };
    state.groundEnemies = { enemyOn(1, 1, 1, 1) };
    placePlayer(0, 4, 12);
    placePlayer(1, 15, 10);
    placePlayer(2, 8, 14);
    state.players[2].shielded = 1;
    renderer.drawSprites(false);

    // The logic step moved the enemies and the first two players; the third stands still
    for (Enemy* enemy : { &state.openEnemies[0], &state.openEnemies[1], &state.openEnemies[2],
             &state.groundEnemies[0] }) {
        enemy->x += enemy->dx;
        enemy->y += enemy->dy;
    }
    state.players[0].dx = 1;
    state.players[0].x += 1;
    state.players[1].dy = -1;
    state.players[1].y -= 1;
    for (int s : { 1, 2, 4 }) {
        SCOPED_TRACE(s);
        state.stepMultiplier = s;
        for (int tick = 0; tick < 8 / s; ++tick) {
            QRegion reported;
            renderer.setDirtyCallback([&reported](const QRect& rect) { reported += rect; });
            const QImage before = canvas.copy();
            renderer.drawSprites(true);
            for (int y = 0; y < canvas.height(); ++y)
                for (int x = 0; x < canvas.width(); ++x)
                    if (canvas.pixel(x, y) != before.pixel(x, y))
                        ASSERT_TRUE(reported.contains(QPoint(x, y))) << x << ", " << y;
        }
        // Back to the cells the glide started from, for the next multiplier
        for (Enemy* enemy : { &state.openEnemies[0], &state.openEnemies[1], &state.openEnemies[2],
                 &state.groundEnemies[0] }) {
            enemy->drawnX -= 8 * enemy->dx;
            enemy->drawnY -= 8 * enemy->dy;
        }
        for (int p : { 0, 1 }) {
            state.players[p].drawnX -= 8 * state.players[p].dx;
            state.players[p].drawnY -= 8 * state.players[p].dy;
        }
        renderer.presentField();
        renderer.drawSprites(false);
    }
}
