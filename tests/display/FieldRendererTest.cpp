// The field on the canvas: the renderer against the field drawn the plain way, as the game is
// described, through random cell changes, repaints, glides, steps, bounces and respawns
#include "FieldRenderer.h"
#include "QtColour.h"

#include <QRegion>
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace fendral;

namespace {

// The plain drawing: an erase repaints whole cells from the BackBuffer, every sprite is drawn anew
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
        if (x >= 0 && y >= 0 && x <= m_state.W && y <= m_state.H)
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
        if (x >= 0 && y >= 0 && x <= m_state.W && y <= m_state.H)
            fill(cell(x, y), pixel(x, y));
    }
    void fillBlock(int x0, int y0, Colour colour)
    {
        for (int i = 0; i < BlockSize * BlockSize; ++i)
            setBackBufferPixel(x0 + i % BlockSize, y0 + i / BlockSize, colour);
        fill(cell(x0, y0).united(cell(x0 + BlockSize - 1, y0 + BlockSize - 1)), qtRgb(colour));
    }
    // A ring of ground borderWidth cells thick around the open interior
    void paintNewField()
    {
        const int b = m_state.borderWidth;
        for (int y = 1; y <= m_state.H; ++y)
            for (int x = 1; x <= m_state.W; ++x) {
                const bool ring = x <= b || y <= b || x > m_state.W - b || y > m_state.H - b;
                pixel(x, y) = qtRgb(ring ? m_state.palette().groundColour : m_state.palette().openColour);
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

    // Erases every sprite from the cells behind it, glides it (when advance) and draws them all:
    // ground enemies, open enemies (each list last to first), then the players in play as framed
    // squares crossed by the player's rising diagonal and the shield's falling one. The sprites'
    // positions in the state are left for the renderer to move.
    void drawSprites(bool advance)
    {
        const int s = advance ? m_state.stepMultiplier : 0;
        std::vector<std::pair<QPoint, Colour>> squares;
        for (const auto* enemies : { &m_state.groundEnemies, &m_state.openEnemies })
            for (auto e = enemies->rbegin(); e != enemies->rend(); ++e) {
                if (advance)
                    for (const QPoint back : { QPoint(e->dx, 0), QPoint(0, e->dy), QPoint(e->dx, e->dy) })
                        refreshCell(e->x - back.x(), e->y - back.y());
                const Colour fill = enemies == &m_state.groundEnemies ? m_state.palette().groundEnemyColour
                                                                    : m_state.palette().openEnemyColour;
                squares.push_back({ QPoint(e->drawnX + s * e->dx, e->drawnY + s * e->dy), fill });
            }
        std::vector<QPoint> players;
        for (const Player& p : m_state.players) {
            const bool moving = p.alive && (p.dx != 0 || p.dy != 0);
            if (moving && advance)
                refreshCell(p.x - p.dx, p.y - p.dy);
            players.emplace_back(p.drawnX + (moving ? s : 0) * p.dx, p.drawnY + (moving ? s : 0) * p.dy);
        }
        for (const auto& [at, fill] : squares)
            square(at, fill);
        for (int p = 0; p < PlayerCount; ++p) {
            const Player& player = m_state.players[p];
            if (!player.alive)
                continue;
            square(players[p], player.colour);
            const QPoint corner = players[p] + m_origin;
            for (int i = 0; i < CellSize; ++i) {
                fill(QRect(corner.x() + i, corner.y() + CellSize - 1 - i, 1, 1), qRgb(0, 0, 0));
                if (player.shielded)
                    fill(QRect(corner.x() + i, corner.y() + i, 1, 1), qRgb(0, 0, 0));
            }
        }
    }

private:
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

// The window repaints only what the renderer reports: every pixel a glide changes must lie in a
// reported rectangle, through a whole logic step of moving, stopping and newly placed sprites.
TEST(FieldRenderer, EveryPixelAGlideChangesIsReported)
{
    GameState state;
    state.allocateGrids(20, 15);
    QImage canvas(16 + 8 * 20 + 8, 8 + 8 * 15 + 8, QImage::Format_RGB32);
    FieldRenderer renderer(state, canvas);
    renderer.setOrigin(16, 8);
    renderer.createBackBuffer();
    renderer.paintNewField();
    QRegion dirty;
    renderer.setDirtyCallback([&dirty](const QRect& rect) { dirty += rect; });
    // A sprite drawn on cell (x, y) that has just stepped by (dx, dy)
    const auto enemy = [](int x, int y, int dx, int dy) { return Enemy { x + dx, y + dy, dx, dy, 8 * (x - 1), 8 * (y - 1) }; };
    state.openEnemies = { enemy(6, 6, 1, 1), enemy(10, 6, -1, 1), enemy(10, 7, 1, -1) };
    state.groundEnemies = { enemy(1, 1, 1, 1) };
    for (const auto [p, x, y, dx, dy] : { std::array { 0, 4, 12, 1, 0 }, { 1, 15, 10, 0, -1 }, { 2, 8, 14, 0, 0 } })
        state.players[p] = { .colour = defaultColours[p], .x = x + dx, .y = y + dy, .dx = dx, .dy = dy,
            .drawnX = 8 * (x - 1), .drawnY = 8 * (y - 1), .alive = 1 };
    const GameState stepped = state;
    for (int s : { 1, 2, 4 }) {
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
                    ASSERT_TRUE(canvas.pixel(x, y) == before.pixel(x, y) || dirty.contains(QPoint(x, y)))
                        << x << ", " << y << " at multiplier " << s;
        }
    }
}

// A crowded 20 x 15 field set off from the canvas corner, so that a forgotten origin shows. After
// every action the renderer's canvas equals the plain drawing's, and every pixel that changed lies
// in a rectangle the renderer reported: the window repaints only those.
TEST(FieldRenderer, RepaintingOnlyWhatMayDifferGivesThePlainDrawingsPixelsAndReportsThem)
{
    const QPoint origin(16, 8);
    for (const unsigned seed : { 1u, 2u, 3u, 4u, 5u }) {
        SCOPED_TRACE(seed);
        GameState state;
        state.allocateGrids(20, 15);
        state.borderWidth = 2 + seed % 3;
        state.levelColour = seed % 4;
        QImage canvas(origin.x() + 8 * 20 + 8, origin.y() + 8 * 15 + 8, QImage::Format_RGB32);
        canvas.fill(Qt::darkCyan);
        FieldRenderer renderer(state, canvas);
        renderer.setOrigin(origin.x(), origin.y());
        renderer.createBackBuffer();
        QRegion dirty;
        renderer.setDirtyCallback([&dirty](const QRect& rect) { dirty += rect; });
        PlainDrawing plain(state, canvas, origin);
        std::mt19937 random(seed);
        const auto draw = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
        const auto direction = [&] { return draw(0, 1) ? 1 : -1; };
        const std::vector<Colour> colours { state.palette().groundColour, state.palette().openColour, 0,
            0x00C0FF, defaultColours[2] };
        for (int step = 0; step < 3000; ++step) {
            const int x = draw(0, state.W + 1), y = draw(0, state.H + 1), op = step == 0 ? 99 : draw(0, 99);
            const Colour c = colours[draw(0, int(colours.size()) - 1)];
            const QImage before = canvas.copy();
            dirty = QRegion();
            if (op < 50) {
                plain.drawSprites(op < 45);
                renderer.drawSprites(op < 45);
            } else if (op < 58) { // a logic step: every sprite on to the cell it glides to
                for (auto* enemies : { &state.groundEnemies, &state.openEnemies })
                    for (Enemy& e : *enemies)
                        e.x += e.dx, e.y += e.dy;
                for (Player& p : state.players)
                    p.x += p.dx, p.y += p.dy;
            } else if (op < 70) { // a bounce restarts the glide a cell back; enemies come and go
                auto& enemies = draw(0, 1) ? state.groundEnemies : state.openEnemies;
                if (op < 64 && !enemies.empty()) {
                    Enemy& e = enemies[draw(0, int(enemies.size()) - 1)];
                    (draw(0, 1) ? e.dx : e.dy) *= -1;
                    e.drawnX = (e.x - e.dx - 1) * CellSize;
                    e.drawnY = (e.y - e.dy - 1) * CellSize;
                    plain.refreshCell(e.x, e.y);
                    renderer.refreshCell(e.x, e.y);
                } else if (op >= 64 && enemies.size() < 6 && draw(0, 2)) {
                    Enemy& e = enemies.emplace_back(Enemy { draw(1, state.W), draw(1, state.H), direction(), direction() });
                    e.drawnX = (e.x - e.dx - 1) * CellSize + draw(0, 1) * draw(-CellSize, CellSize);
                    e.drawnY = (e.y - e.dy - 1) * CellSize + draw(0, 1) * draw(-CellSize, CellSize);
                } else if (op >= 64 && !enemies.empty()) {
                    enemies.erase(enemies.begin() + draw(0, int(enemies.size()) - 1));
                }
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
                plain.setBackBufferPixel(x, y, c);
                renderer.setBackBufferPixel(x, y, c);
            } else if (op < 89) {
                plain.setCellColour(x, y, c);
                renderer.setCellColour(x, y, c);
            } else if (op < 93) {
                plain.paintCell(x, y, c);
                renderer.paintCell(x, y, c);
            } else if (op < 95) {
                plain.refreshCell(x, y);
                renderer.refreshCell(x, y);
            } else if (op < 97) {
                plain.fillBlock(x, y, c);
                renderer.fillBlock(x, y, c);
            } else if (op < 98) { // the system asks for the whole window again
                plain.presentField(), plain.drawSprites(false);
                renderer.presentField(), renderer.drawSprites(false);
            } else if (op < 99) {
                plain.clearCanvas();
                renderer.clearCanvas();
            } else {
                plain.paintNewField();
                renderer.paintNewField();
            }
            ASSERT_EQ(canvas, plain.canvas()) << "step " << step << ", action " << op;
            // Glides of sprites placed at random may leave their cells; a real glide is below
            for (int py = 0; py < canvas.height() && op >= 45; ++py) {
                if (std::memcmp(before.constScanLine(py), canvas.constScanLine(py), canvas.bytesPerLine()) == 0)
                    continue;
                for (int px = 0; px < canvas.width(); ++px)
                    ASSERT_TRUE(canvas.pixel(px, py) == before.pixel(px, py) || dirty.contains(QPoint(px, py)))
                        << "unreported " << px << ", " << py << " at step " << step << ", action " << op;
            }
        }
    }
}

} // namespace
