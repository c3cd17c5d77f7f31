// The field on the canvas and in the BackBuffer: cells, new fields, sprites and their glide
#include "FieldRenderer.h"
#include "QtColour.h"

#include <QRegion>
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

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

// The field drawn the plain way, as the game is described: an erase repaints whole cells from
// the BackBuffer. The renderer repaints only what may differ and must end with the same pixels.
class PlainDrawing {
public:
    PlainDrawing(const GameState& state, const QImage& canvas, QPoint origin)
        : m_state(state)
        , m_canvas(canvas.copy())
        , m_origin(origin)
        , m_backBuffer(static_cast<std::size_t>(state.W + 1) * (state.H + 1), qRgb(0, 0, 0))
    {
    }

    const QImage& canvas() const { return m_canvas; }

    void setBackBufferPixel(int x, int y, Colour colour)
    {
        if (valid(x, y))
            pixel(x, y) = qtRgb(colour);
    }
    void paintCell(int x, int y, Colour colour) { fill(cell(x, y), qtRgb(colour)); }
    void setCellColour(int x, int y, Colour colour)
    {
        setBackBufferPixel(x, y, colour);
        paintCell(x, y, colour);
    }
    void refreshCell(int x, int y)
    {
        if (valid(x, y))
            fill(cell(x, y), pixel(x, y));
    }
    void fillBlock(int x0, int y0, Colour colour)
    {
        for (int y = y0; y < y0 + BlockSize; ++y)
            for (int x = x0; x < x0 + BlockSize; ++x)
                setBackBufferPixel(x, y, colour);
        fill(cell(x0, y0).united(cell(x0 + BlockSize - 1, y0 + BlockSize - 1)), qtRgb(colour));
    }
    void paintNewField()
    {
        const int b = m_state.borderWidth;
        for (int y = 1; y <= m_state.H; ++y)
            for (int x = 1; x <= m_state.W; ++x) {
                const bool ring = x <= b || y <= b || x > m_state.W - b || y > m_state.H - b;
                pixel(x, y) = qtRgb(ring ? m_state.palette().groundColour
                                         : m_state.palette().openColour);
            }
        presentField();
    }
    void presentField()
    {
        for (int y = 1; y <= m_state.H; ++y)
            for (int x = 1; x <= m_state.W; ++x)
                refreshCell(x, y);
    }
    void clearCanvas() { m_canvas.fill(Qt::black); }

    // Erases every sprite from the cells behind it, glides it (when advance) and draws them all;
    // the sprites' positions in the state are left for the renderer to move.
    void drawSprites(bool advance)
    {
        const int s = m_state.stepMultiplier;
        std::vector<QPoint> ground, open, players;
        for (const auto* enemies : { &m_state.groundEnemies, &m_state.openEnemies })
            for (auto e = enemies->rbegin(); e != enemies->rend(); ++e) {
                if (advance) {
                    refreshCell(e->x - e->dx, e->y);
                    refreshCell(e->x, e->y - e->dy);
                    refreshCell(e->x - e->dx, e->y - e->dy);
                }
                const int glide = advance ? s : 0;
                (enemies == &m_state.groundEnemies ? ground : open)
                    .emplace_back(e->drawnX + glide * e->dx, e->drawnY + glide * e->dy);
            }
        for (const Player& p : m_state.players) {
            const bool moving = advance && p.alive && (p.dx != 0 || p.dy != 0);
            if (moving)
                refreshCell(p.x - p.dx, p.y - p.dy);
            const int glide = moving ? s : 0;
            players.emplace_back(p.drawnX + glide * p.dx, p.drawnY + glide * p.dy);
        }
        for (const QPoint& at : ground)
            square(at, m_state.palette().groundEnemyColour);
        for (const QPoint& at : open)
            square(at, m_state.palette().openEnemyColour);
        for (int p = 0; p < PlayerCount; ++p) {
            const Player& player = m_state.players[p];
            if (!player.alive)
                continue;
            square(players[p], player.colour);
            const QPoint corner = players[p] + m_origin;
            for (int i = 0; i < CellSize; ++i) {
                dot(corner.x() + i, corner.y() + CellSize - 1 - i);
                if (player.shielded)
                    dot(corner.x() + i, corner.y() + i);
            }
        }
    }

private:
    bool valid(int x, int y) const { return x >= 0 && y >= 0 && x <= m_state.W && y <= m_state.H; }
    QRgb& pixel(int x, int y) { return m_backBuffer[static_cast<std::size_t>(y) * (m_state.W + 1) + x]; }
    QRect cell(int x, int y) const
    {
        return QRect(m_origin + QPoint(CellSize * (x - 1), CellSize * (y - 1)), QSize(CellSize, CellSize));
    }
    void fill(const QRect& rect, QRgb rgb)
    {
        const QRect clipped = rect & m_canvas.rect();
        for (int y = clipped.top(); y <= clipped.bottom(); ++y)
            for (int x = clipped.left(); x <= clipped.right(); ++x)
                m_canvas.setPixel(x, y, rgb);
    }
    void dot(int x, int y)
    {
        if (m_canvas.rect().contains(x, y))
            m_canvas.setPixel(x, y, qRgb(0, 0, 0));
    }
    void square(QPoint at, Colour colour)
    {
        const QRect frame(at + m_origin, QSize(CellSize, CellSize));
        fill(frame, qRgb(0, 0, 0));
        fill(frame.adjusted(1, 1, -1, -1), qtRgb(colour));
    }

    const GameState& m_state;
    QImage m_canvas;
    QPoint m_origin;
    std::vector<QRgb> m_backBuffer;
};

// Random cell changes, repaints, glides, steps, bounces, respawns and jumps of enemies and players
// on a small crowded field: after every one the renderer's canvas equals the plain drawing's.
TEST_F(FieldRendererTest, RepaintingOnlyWhatMayDifferGivesThePlainDrawingsPixels)
{
    for (const unsigned seed : { 1u, 2u, 3u, 4u, 5u }) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto draw = [&random](int low, int high) {
            return std::uniform_int_distribution(low, high)(random);
        };
        const auto direction = [&] { return draw(0, 1) ? 1 : -1; };
        state.groundEnemies.clear();
        state.openEnemies.clear();
        state.players = {};
        renderer.createBackBuffer();
        PlainDrawing plain(state, canvas, QPoint(OriginX, OriginY));
        renderer.paintNewField();
        plain.paintNewField();
        const std::vector<Colour> colours { state.palette().groundColour,
            state.palette().openColour, 0, 0x00C0FF, defaultColours[2] };
        const auto colour = [&] { return colours[draw(0, int(colours.size()) - 1)]; };
        const auto placeEnemy = [&](Enemy& e) {
            e = { draw(1, state.W), draw(1, state.H), direction(), direction() };
            e.drawnX = (e.x - e.dx - 1) * CellSize + draw(0, 1) * draw(-CellSize, CellSize);
            e.drawnY = (e.y - e.dy - 1) * CellSize + draw(0, 1) * draw(-CellSize, CellSize);
        };

        for (int step = 0; step < 3000; ++step) {
            const int x = draw(0, state.W + 1), y = draw(0, state.H + 1);
            const int op = draw(0, 99);
            if (op < 45) {
                plain.drawSprites(true);
                renderer.drawSprites(true);
            } else if (op < 50) {
                plain.drawSprites(false);
                renderer.drawSprites(false);
            } else if (op < 58) { // a logic step: every sprite on to the cell it glides to
                for (auto* enemies : { &state.groundEnemies, &state.openEnemies })
                    for (Enemy& e : *enemies)
                        e.x += e.dx, e.y += e.dy;
                for (Player& p : state.players)
                    p.x += p.dx, p.y += p.dy;
            } else if (op < 64) { // a bounce restarts the glide a cell back
                auto& enemies = draw(0, 1) ? state.groundEnemies : state.openEnemies;
                if (enemies.empty())
                    continue;
                Enemy& e = enemies[draw(0, int(enemies.size()) - 1)];
                (draw(0, 1) ? e.dx : e.dy) *= -1;
                e.drawnX = (e.x - e.dx - 1) * CellSize;
                e.drawnY = (e.y - e.dy - 1) * CellSize;
                plain.refreshCell(e.x, e.y);
                renderer.refreshCell(e.x, e.y);
            } else if (op < 70) {
                auto& enemies = draw(0, 1) ? state.groundEnemies : state.openEnemies;
                if (enemies.size() < 6 && draw(0, 2))
                    placeEnemy(enemies.emplace_back());
                else if (!enemies.empty())
                    enemies.erase(enemies.begin() + draw(0, int(enemies.size()) - 1));
            } else if (op < 78) { // a player turns, stops, dies, respawns or takes a shield
                Player& p = state.players[draw(0, PlayerCount - 1)];
                const int turn = draw(0, 4);
                p.colour = defaultColours[draw(0, 3)];
                p.alive = draw(0, 5) != 0;
                p.shielded = draw(0, 1);
                p.dx = turn == 1 ? 1 : turn == 2 ? -1 : 0;
                p.dy = turn == 3 ? 1 : turn == 4 ? -1 : 0;
                if (draw(0, 2) == 0)
                    p.x = draw(1, state.W), p.y = draw(1, state.H);
                p.drawnX = (p.x - p.dx - 1) * CellSize + draw(0, 3) * draw(-2, 2);
                p.drawnY = (p.y - p.dy - 1) * CellSize;
            } else if (op < 80) {
                state.stepMultiplier = 1 << draw(0, 2);
            } else if (op < 85) {
                const Colour c = colour();
                plain.setBackBufferPixel(x, y, c);
                renderer.setBackBufferPixel(x, y, c);
            } else if (op < 89) {
                const Colour c = colour();
                plain.setCellColour(x, y, c);
                renderer.setCellColour(x, y, c);
            } else if (op < 93) {
                const Colour c = colour();
                plain.paintCell(x, y, c);
                renderer.paintCell(x, y, c);
            } else if (op < 95) {
                plain.refreshCell(x, y);
                renderer.refreshCell(x, y);
            } else if (op < 97) {
                const Colour c = colour();
                plain.fillBlock(x, y, c);
                renderer.fillBlock(x, y, c);
            } else if (op < 98) { // the system asks for the whole window again
                plain.presentField();
                plain.drawSprites(false);
                renderer.presentField();
                renderer.drawSprites(false);
            } else if (op < 99) {
                plain.clearCanvas();
                renderer.clearCanvas();
            } else {
                plain.paintNewField();
                renderer.paintNewField();
            }
            ASSERT_EQ(canvas, plain.canvas()) << "step " << step << ", action " << op;
        }
    }
}

} // namespace
