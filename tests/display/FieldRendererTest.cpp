// The field on the canvas: the renderer against the field drawn the plain way, as the game is
// described, through random cell changes, repaints, glides, steps, bounces and respawns
#include "FieldRenderer.h"
#include "QtColour.h"

#include <QRegion>
#include <gtest/gtest.h>

#include <random>
#include <tuple>
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
        , m_backBuffer(state.W + 1, state.H + 1, QImage::Format_RGB32)
    {
        m_backBuffer.fill(Qt::black);
    }

    const QImage& canvas() const { return m_canvas; }

    void setBackBufferPixel(int x, int y, Colour colour)
    {
        if (m_backBuffer.valid(x, y))
            m_backBuffer.setPixel(x, y, qtRgb(colour));
    }
    void paintCell(int x, int y, Colour colour) { fill(cell(x, y), qtRgb(colour)); }
    void setCellColour(int x, int y, Colour colour)
    {
        setBackBufferPixel(x, y, colour);
        paintCell(x, y, colour);
    }
    void refreshCell(int x, int y)
    {
        if (m_backBuffer.valid(x, y))
            fill(cell(x, y), m_backBuffer.pixel(x, y));
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
                setBackBufferPixel(
                    x, y, ring ? m_state.palette().groundColour : m_state.palette().openColour);
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
        std::vector<std::tuple<QPoint, Colour, const Player*>> sprites;
        const Palette& palette = m_state.palette();
        for (const auto* enemies : { &m_state.groundEnemies, &m_state.openEnemies })
            for (auto e = enemies->rbegin(); e != enemies->rend(); ++e) {
                for (const QPoint back :
                    { QPoint(e->dx, 0), QPoint(0, e->dy), QPoint(e->dx, e->dy) })
                    if (advance)
                        refreshCell(e->x - back.x(), e->y - back.y());
                const bool ground = enemies == &m_state.groundEnemies;
                sprites.push_back({ QPoint(e->drawnX + s * e->dx, e->drawnY + s * e->dy),
                    ground ? palette.groundEnemyColour : palette.openEnemyColour, nullptr });
            }
        for (const Player& p : m_state.players) {
            if (advance && p.alive && (p.dx != 0 || p.dy != 0))
                refreshCell(p.x - p.dx, p.y - p.dy);
            if (p.alive)
                sprites.push_back(
                    { QPoint(p.drawnX + s * p.dx, p.drawnY + s * p.dy), p.colour, &p });
        }
        for (const auto& [at, colour, player] : sprites) {
            const QRect frame(at + m_origin, QSize(CellSize, CellSize));
            fill(frame, qRgb(0, 0, 0));
            fill(frame.adjusted(1, 1, -1, -1), qtRgb(colour));
            for (int i = 0; player && i < CellSize; ++i) {
                fill(QRect(frame.left() + i, frame.bottom() - i, 1, 1), qRgb(0, 0, 0));
                if (player->shielded)
                    fill(QRect(frame.left() + i, frame.top() + i, 1, 1), qRgb(0, 0, 0));
            }
        }
    }

private:
    QRect cell(int x, int y) const
    {
        return QRect(
            m_origin + QPoint(CellSize * (x - 1), CellSize * (y - 1)), QSize(CellSize, CellSize));
    }
    void fill(const QRect& rect, QRgb rgb)
    {
        const QRect clipped = rect & m_canvas.rect();
        for (int y = clipped.top(); y <= clipped.bottom(); ++y)
            for (int x = clipped.left(); x <= clipped.right(); ++x)
                m_canvas.setPixel(x, y, rgb);
    }

    const GameState& m_state;
    QImage m_canvas;
    QPoint m_origin;
    QImage m_backBuffer;
};

// A crowded 20 x 15 field set off from the canvas corner, so that a forgotten origin shows. After
// every action the renderer's canvas equals the plain drawing's, and every pixel that changed lies
// in a rectangle the renderer reported: the window repaints only those. A logic step glides every
// sprite as the game does, from its cell to the next.
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
        int op = 0;
        // Does the same to both drawings, compares them and, but for glides of sprites placed at
        // random, looks for changed pixels that were not reported
        const auto both = [&](const auto& action) {
            const QImage before = canvas.copy();
            dirty = QRegion();
            action(plain);
            action(renderer);
            ASSERT_EQ(canvas, plain.canvas());
            for (int py = 0; py < canvas.height() && op >= 45; ++py) {
                const auto* was = reinterpret_cast<const QRgb*>(before.constScanLine(py));
                const auto* now = reinterpret_cast<const QRgb*>(canvas.constScanLine(py));
                for (int px = 0; px < canvas.width(); ++px)
                    ASSERT_TRUE(now[px] == was[px] || dirty.contains(QPoint(px, py)))
                        << "unreported " << px << ", " << py;
            }
        };
        std::mt19937 random(seed);
        const auto draw = [&random](int low, int high) {
            return std::uniform_int_distribution(low, high)(random);
        };
        const auto direction = [&] { return draw(0, 1) ? 1 : -1; };
        const std::vector<Colour> colours { state.palette().groundColour,
            state.palette().openColour, 0, 0x00C0FF, defaultColours[2] };
        for (int step = 0; step < 3000 && !HasFailure(); ++step) {
            const int x = draw(0, state.W + 1), y = draw(0, state.H + 1);
            op = step == 0 ? 99 : draw(0, 99);
            SCOPED_TRACE(testing::Message() << "step " << step << ", action " << op);
            const Colour c = colours[draw(0, int(colours.size()) - 1)];
            if (op < 50) {
                both([&](auto& d) { d.drawSprites(op < 45); });
            } else if (op < 58) { // a logic step: every sprite from its cell on to the next
                for (auto* enemies : { &state.groundEnemies, &state.openEnemies })
                    for (Enemy& e : *enemies)
                        e.drawnX = (e.x - 1) * CellSize, e.drawnY = (e.y - 1) * CellSize,
                        e.x += e.dx, e.y += e.dy;
                for (Player& p : state.players)
                    p.drawnX = (p.x - 1) * CellSize, p.drawnY = (p.y - 1) * CellSize, p.x += p.dx,
                    p.y += p.dy;
                for (int tick = 0; tick < CellSize / state.stepMultiplier; ++tick)
                    both([](auto& d) { d.drawSprites(true); });
            } else if (op < 70) { // a bounce restarts the glide a cell back; enemies come and go
                auto& enemies = draw(0, 1) ? state.groundEnemies : state.openEnemies;
                if (op < 64 && !enemies.empty()) {
                    Enemy& e = enemies[draw(0, int(enemies.size()) - 1)];
                    (draw(0, 1) ? e.dx : e.dy) *= -1;
                    e.drawnX = (e.x - e.dx - 1) * CellSize;
                    e.drawnY = (e.y - e.dy - 1) * CellSize;
                    both([&](auto& d) { d.refreshCell(e.x, e.y); });
                } else if (op >= 64 && enemies.size() < 6 && draw(0, 2)) {
                    Enemy& e = enemies.emplace_back(
                        Enemy { draw(1, state.W), draw(1, state.H), direction(), direction() });
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
                both([&](auto& d) { d.setBackBufferPixel(x, y, c); });
            } else if (op < 89) {
                both([&](auto& d) { d.setCellColour(x, y, c); });
            } else if (op < 93) {
                both([&](auto& d) { d.paintCell(x, y, c); });
            } else if (op < 95) {
                both([&](auto& d) { d.refreshCell(x, y); });
            } else if (op < 97) {
                both([&](auto& d) { d.fillBlock(x, y, c); });
            } else if (op < 98) { // the system asks for the whole window again
                both([](auto& d) { d.presentField(), d.drawSprites(false); });
            } else if (op < 99) {
                both([](auto& d) { d.clearCanvas(); });
            } else {
                both([](auto& d) { d.paintNewField(); });
            }
        }
    }
}

} // namespace
