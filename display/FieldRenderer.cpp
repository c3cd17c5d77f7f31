#include "FieldRenderer.h"

#include "QtColour.h"

#include <algorithm>

namespace fendral {

namespace {
    constexpr QRgb Black = qRgb(0, 0, 0);
}

FieldRenderer::FieldRenderer(GameState& state, QImage& canvas)
    : m_state(state)
    , m_canvas(canvas)
{
}

void FieldRenderer::setOrigin(int originX, int originY)
{
    m_originX = originX;
    m_originY = originY;
}

void FieldRenderer::setCellSize(int n)
{
    m_cellSize = n;
    // One pixel as described, growing with the cells: 2 from 12 pixels, 3 from 20
    m_outline = std::max(1, (n + CellSize / 2) / CellSize);
    if (!m_backBuffer.isNull())
        m_stale.reset(m_state.W, m_state.H, m_cellSize);
}

int FieldRenderer::scaled(int gamePixels) const
{
    // Rounded down also left of and above the field, so that a glide moves by whole steps
    const int product = gamePixels * m_cellSize;
    return product >= 0 ? product / CellSize : -((-product + CellSize - 1) / CellSize);
}

void FieldRenderer::createBackBuffer()
{
    m_backBuffer = QImage(m_state.W + 1, m_state.H + 1, QImage::Format_RGB32);
    m_backBuffer.fill(Black);
    m_stale.reset(m_state.W, m_state.H, m_cellSize);
}

void FieldRenderer::releaseBackBuffer()
{
    m_backBuffer = QImage();
    m_stale.clear();
}

void FieldRenderer::clearCanvas()
{
    fillCanvas(m_canvas.rect(), Black);
    m_stale.markAll();
}

QRect FieldRenderer::cellRect(int x, int y) const
{
    const int n = m_cellSize;
    return QRect(m_originX + n * (x - 1), m_originY + n * (y - 1), n, n);
}

void FieldRenderer::markDirty(const QRect& rect)
{
    if (m_dirty && !rect.isEmpty())
        m_dirty(rect);
}

void FieldRenderer::fillCanvas(const QRect& rect, QRgb rgb)
{
    markDirty(fillCanvasQuietly(rect, rgb));
}

QRect FieldRenderer::fillCanvasQuietly(const QRect& rect, QRgb rgb)
{
    const QRect clipped = rect & m_canvas.rect();
    if (clipped.isEmpty())
        return clipped;
    // One look-up of the pixels: scanLine() would check for a shared copy on every row
    const qsizetype stride = m_canvas.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* line = reinterpret_cast<QRgb*>(m_canvas.bits()) + clipped.top() * stride;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y, line += stride)
        std::fill(line + clipped.left(), line + clipped.right() + 1, rgb);
    return clipped;
}

void FieldRenderer::refreshCellQuietly(int x, int y)
{
    if (!m_backBuffer.valid(x, y))
        return;
    if (const QRect stale = m_stale.takeArea(x, y); !stale.isEmpty())
        fillCanvasQuietly(stale.translated(cellRect(x, y).topLeft()), backBufferPixel(x, y));
}

QRgb FieldRenderer::backBufferPixel(int x, int y) const
{
    return reinterpret_cast<const QRgb*>(m_backBuffer.constScanLine(y))[x];
}

void FieldRenderer::setCanvasPixel(int x, int y, QRgb rgb)
{
    if (m_canvas.rect().contains(x, y))
        reinterpret_cast<QRgb*>(m_canvas.scanLine(y))[x] = rgb;
}

void FieldRenderer::fillBackBuffer(int x0, int y0, int x1, int y1, Colour colour)
{
    const QRect clipped = QRect(QPoint(x0, y0), QPoint(x1, y1)) & m_backBuffer.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(m_backBuffer.scanLine(y));
        std::fill(line + clipped.left(), line + clipped.right() + 1, qtRgb(colour));
    }
}

void FieldRenderer::setBackBufferPixel(int x, int y, Colour colour)
{
    if (!m_backBuffer.valid(x, y) || backBufferPixel(x, y) == qtRgb(colour))
        return;
    m_backBuffer.setPixel(x, y, qtRgb(colour));
    m_stale.markCell(x, y); // the window still shows the old colour
}

void FieldRenderer::setCellColour(int x, int y, Colour colour)
{
    setBackBufferPixel(x, y, colour);
    paintCell(x, y, colour);
}

void FieldRenderer::paintCell(int x, int y, Colour colour)
{
    fillCanvas(cellRect(x, y), qtRgb(colour));
    if (m_backBuffer.valid(x, y) && backBufferPixel(x, y) == qtRgb(colour))
        m_stale.cleanCell(x, y);
    else
        m_stale.markCell(x, y);
}

void FieldRenderer::refreshCell(int x, int y)
{
    if (!m_backBuffer.valid(x, y))
        return;
    refreshCellQuietly(x, y);
    markDirty(cellRect(x, y) & m_canvas.rect());
}

void FieldRenderer::fillBlock(int x0, int y0, Colour colour)
{
    fillBackBuffer(x0, y0, x0 + BlockSize - 1, y0 + BlockSize - 1, colour);
    fillCanvas(
        cellRect(x0, y0).united(cellRect(x0 + BlockSize - 1, y0 + BlockSize - 1)), qtRgb(colour));
    for (int y = y0; y < y0 + BlockSize; ++y)
        for (int x = x0; x < x0 + BlockSize; ++x)
            m_stale.cleanCell(x, y);
}

void FieldRenderer::paintNewField()
{
    const Palette& palette = m_state.palette();
    const int b = m_state.borderWidth;
    fillBackBuffer(1, 1, m_state.W, m_state.H, palette.groundColour);
    fillBackBuffer(b + 1, b + 1, m_state.W - b, m_state.H - b, palette.openColour);
    presentField();
}

void FieldRenderer::presentField()
{
    // Each BackBuffer pixel becomes an exact n x n block: a plain enlargement without smoothing
    const int n = m_cellSize;
    const QRect field(m_originX, m_originY, n * m_state.W, n * m_state.H);
    const QRect clipped = field & m_canvas.rect();
    for (int py = clipped.top(); py <= clipped.bottom(); ++py) {
        const int y = (py - m_originY) / n + 1;
        const QRgb* source = reinterpret_cast<const QRgb*>(m_backBuffer.constScanLine(y));
        QRgb* line = reinterpret_cast<QRgb*>(m_canvas.scanLine(py));
        for (int px = clipped.left(); px <= clipped.right();) {
            const int x = (px - m_originX) / n + 1;
            const int end = std::min(clipped.right() + 1, m_originX + n * x);
            std::fill(line + px, line + end, source[x]);
            px = end;
        }
    }
    m_stale.cleanField();
    markDirty(clipped);
}

void FieldRenderer::drawSprites(bool advance)
{
    const int s = m_state.stepMultiplier;
    if (advance) {
        eraseAndMoveEnemies(m_state.groundEnemies, s);
        eraseAndMoveEnemies(m_state.openEnemies, s);
        for (Player& player : m_state.players) {
            if (!player.alive || (player.dx == 0 && player.dy == 0))
                continue;
            // Players move along one axis: only the cell being left needs repainting
            refreshCellQuietly(player.x - player.dx, player.y - player.dy);
            markDirty(travelRect(player.x, player.y, player.dx, player.dy));
            player.drawnX += player.dx * s;
            player.drawnY += player.dy * s;
        }
    }
    // A gliding enemy's square lies inside the cells it travels between, already reported above;
    // players are few and may have been placed anew, so their squares are always reported
    const bool reportEnemies = !advance;
    const Palette& palette = m_state.palette();
    drawEnemies(m_state.groundEnemies, palette.groundEnemyColour, reportEnemies);
    drawEnemies(m_state.openEnemies, palette.openEnemyColour, reportEnemies);
    for (const Player& player : m_state.players) {
        if (!player.alive)
            continue;
        drawSquare(player.drawnX, player.drawnY, player.colour, true);
        const int left = m_originX + scaled(player.drawnX);
        const int top = m_originY + scaled(player.drawnY);
        drawDiagonal(left, top + m_cellSize - 1, -1);
        if (player.shielded)
            drawDiagonal(left, top, 1);
    }
}

void FieldRenderer::eraseAndMoveEnemies(std::vector<Enemy>& enemies, int s)
{
    // The enemy travels diagonally from (x - dx, y - dy) to (x, y); its square may overlap the
    // three cells behind it, and the current cell is covered again by the sprite itself. The four
    // cells are reported as one rectangle: at level 50 that saves hundreds per tick.
    for (auto enemy = enemies.rbegin(); enemy != enemies.rend(); ++enemy) {
        refreshCellQuietly(enemy->x - enemy->dx, enemy->y);
        refreshCellQuietly(enemy->x, enemy->y - enemy->dy);
        refreshCellQuietly(enemy->x - enemy->dx, enemy->y - enemy->dy);
        markDirty(travelRect(enemy->x, enemy->y, enemy->dx, enemy->dy));
        enemy->drawnX += s * enemy->dx;
        enemy->drawnY += s * enemy->dy;
    }
}

void FieldRenderer::drawEnemies(const std::vector<Enemy>& enemies, Colour fill, bool report)
{
    for (auto enemy = enemies.rbegin(); enemy != enemies.rend(); ++enemy)
        drawSquare(enemy->drawnX, enemy->drawnY, fill, report);
}

void FieldRenderer::drawSquare(int drawnX, int drawnY, Colour fill, bool report)
{
    const int left = scaled(drawnX);
    const int top = scaled(drawnY);
    const QRect square(m_originX + left, m_originY + top, m_cellSize, m_cellSize);
    const QRect drawn = fillCanvasQuietly(square, Black);
    const int o = m_outline;
    fillCanvasQuietly(square.adjusted(o, o, -o, -o), qtRgb(fill));
    m_stale.markSquare(left, top);
    if (report)
        markDirty(drawn);
}

QRect FieldRenderer::travelRect(int x, int y, int dx, int dy) const
{
    return cellRect(x - dx, y - dy).united(cellRect(x, y)) & m_canvas.rect();
}

void FieldRenderer::drawDiagonal(int left, int top, int stepY)
{
    // A cell's width of pixels from (left, top), one column right and one row along stepY each,
    // as wide as the sprite's frame and kept inside the square
    for (int i = 0; i < m_cellSize; ++i)
        for (int w = 0; w < m_outline && i + w < m_cellSize; ++w)
            setCanvasPixel(left + i + w, top + i * stepY, Black);
}

} // namespace fendral
