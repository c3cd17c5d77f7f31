#include "CanvasView.h"

#include <algorithm>

namespace fendral {

bool CanvasView::showsOneSquare(Colour colour) const
{
    const int width = m_state.W * CellSize;
    int count = 0;
    int left = width;
    int top = m_state.H * CellSize;
    for (std::size_t i = 0; i < m_canvas.size(); ++i)
        if (m_canvas[i] == colour) {
            ++count;
            left = std::min(left, static_cast<int>(i) % width);
            top = std::min(top, static_cast<int>(i) / width);
        }
    if (count != CellSize * CellSize)
        return false;
    for (int y = top; y < top + CellSize; ++y)
        for (int x = left; x < left + CellSize; ++x)
            if (x >= width || m_canvas[static_cast<std::size_t>(y * width + x)] != colour)
                return false;
    return true;
}

Colour& CanvasView::backBuffer(int x, int y)
{
    m_backBuffer.resize(static_cast<std::size_t>((m_state.W + 2) * (m_state.H + 2)));
    return m_backBuffer[static_cast<std::size_t>(x * (m_state.H + 2) + y)];
}

void CanvasView::fillCell(int x, int y, Colour colour)
{
    drawSquare((x - 1) * CellSize, (y - 1) * CellSize, colour);
}

void CanvasView::drawSquare(int left, int top, Colour colour)
{
    const int width = m_state.W * CellSize;
    const int height = m_state.H * CellSize;
    m_canvas.resize(static_cast<std::size_t>(width * height));
    for (int y = std::max(top, 0); y < std::min(top + CellSize, height); ++y)
        for (int x = std::max(left, 0); x < std::min(left + CellSize, width); ++x)
            m_canvas[static_cast<std::size_t>(y * width + x)] = colour;
}

void CanvasView::setBackBufferPixel(int x, int y, Colour colour)
{
    FakeView::setBackBufferPixel(x, y, colour);
    backBuffer(x, y) = colour;
}

void CanvasView::setCellColour(int x, int y, Colour colour)
{
    FakeView::setCellColour(x, y, colour);
    backBuffer(x, y) = colour;
    fillCell(x, y, colour);
}

void CanvasView::paintCell(int x, int y, Colour colour)
{
    FakeView::paintCell(x, y, colour);
    fillCell(x, y, colour);
}

void CanvasView::refreshCell(int x, int y)
{
    FakeView::refreshCell(x, y);
    fillCell(x, y, backBuffer(x, y));
}

void CanvasView::fillBlock(int x0, int y0, Colour colour)
{
    FakeView::fillBlock(x0, y0, colour);
    for (int x = x0; x < x0 + BlockSize; ++x)
        for (int y = y0; y < y0 + BlockSize; ++y) {
            backBuffer(x, y) = colour;
            fillCell(x, y, colour);
        }
}

void CanvasView::paintNewField()
{
    FakeView::paintNewField();
    m_backBuffer.assign(m_backBuffer.size(), 0);
    m_canvas.assign(m_canvas.size(), 0);
}

void CanvasView::drawSprites(bool advance)
{
    std::vector<Enemy>& enemies = m_state.openEnemies;
    if (advance)
        for (Enemy& enemy : enemies) {
            refreshCell(enemy.x - enemy.dx, enemy.y);
            refreshCell(enemy.x, enemy.y - enemy.dy);
            refreshCell(enemy.x - enemy.dx, enemy.y - enemy.dy);
            enemy.drawnX += m_state.stepMultiplier * enemy.dx;
            enemy.drawnY += m_state.stepMultiplier * enemy.dy;
        }
    for (std::size_t i = 0; i < enemies.size(); ++i)
        drawSquare(enemies[i].drawnX, enemies[i].drawnY, openEnemyMarker(static_cast<int>(i)));
    FakeView::drawSprites(advance);
}

} // namespace fendral
