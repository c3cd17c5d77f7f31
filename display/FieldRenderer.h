// The playfield on screen: the one-pixel-per-cell BackBuffer, cell drawing and the gliding sprites
#pragma once

#include "GameState.h"
#include "StaleCells.h"

#include <QImage>
#include <QRect>

#include <functional>

namespace fendral {

class FieldRenderer {
public:
    // Told every rectangle of the canvas that changed, so that the window can repaint it.
    using DirtyCallback = std::function<void(const QRect&)>;

    FieldRenderer(GameState& state, QImage& canvas);

    void setOrigin(int originX, int originY);
    int originX() const { return m_originX; }
    int originY() const { return m_originY; }
    // Cells of n x n canvas pixels (8 as described); the game's positions stay in its 8-pixel
    // units and are scaled down to whole pixels. Every cell is stale afterwards.
    void setCellSize(int n);
    int cellSize() const { return m_cellSize; }
    void setDirtyCallback(DirtyCallback callback) { m_dirty = std::move(callback); }

    // (W + 1) x (H + 1) pixels; row 0 and column 0 are never used.
    void createBackBuffer();
    void releaseBackBuffer();
    const QImage& backBuffer() const { return m_backBuffer; }

    // Fills the whole canvas with black, as a switch of layout does.
    void clearCanvas();

    void setBackBufferPixel(int x, int y, Colour colour);
    void setCellColour(int x, int y, Colour colour);
    void paintCell(int x, int y, Colour colour);
    void refreshCell(int x, int y);
    void fillBlock(int x0, int y0, Colour colour);
    void paintNewField();
    void presentField();
    void drawSprites(bool advance);

private:
    QRect cellRect(int x, int y) const;
    // A position of the game, 8 pixels a cell, in canvas pixels relative to the field origin
    int scaled(int gamePixels) const;
    void fillCanvas(const QRect& rect, QRgb rgb);
    // Fills without reporting the change; returns the part of the canvas filled.
    QRect fillCanvasQuietly(const QRect& rect, QRgb rgb);
    // Repaints the pixels of cell (x, y) that may not show its BackBuffer colour.
    void refreshCellQuietly(int x, int y);
    // The colour of cell (x, y) in the BackBuffer, which must hold that pixel.
    QRgb backBufferPixel(int x, int y) const;
    // The cells a sprite travels between on its way from (x - dx, y - dy) to (x, y).
    QRect travelRect(int x, int y, int dx, int dy) const;
    void setCanvasPixel(int x, int y, QRgb rgb);
    void fillBackBuffer(int x0, int y0, int x1, int y1, Colour colour);
    void markDirty(const QRect& rect);

    void eraseAndMoveEnemies(std::vector<Enemy>& enemies, int s);
    void drawEnemies(const std::vector<Enemy>& enemies, Colour fill, bool report);
    void drawSquare(int drawnX, int drawnY, Colour fill, bool report);
    void drawDiagonal(int left, int top, int stepY);

    GameState& m_state;
    QImage& m_canvas;
    QImage m_backBuffer;
    StaleCells m_stale;
    int m_originX = 0;
    int m_originY = 0;
    int m_cellSize = CellSize;
    int m_outline = 1; // the width of a sprite's frame and lines
    DirtyCallback m_dirty;
};

} // namespace fendral
