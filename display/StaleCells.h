// Which pixels of each cell on the canvas may not show the cell's BackBuffer colour
#pragma once

#include "GameState.h"

#include <QRect>

#include <cstdint>
#include <vector>

namespace fendral {

// Sprites cover a few pixels of a cell, and a cell's BackBuffer pixel can change before the
// window shows it. Erasing a sprite repaints the cells behind it from the BackBuffer; only the
// pixels that may differ from the BackBuffer need writing, and the result is the same canvas.
// Every pixel of a cell outside its stale area shows the cell's BackBuffer colour.
class StaleCells {
public:
    // Cells 0..W x 0..H of n x n pixels, the whole of each stale.
    void reset(int W, int H, int n = CellSize);
    // Tracks no cell.
    void clear();

    // Whether cell (x, y) is one of the tracked cells.
    bool tracks(int x, int y) const { return x >= 0 && y >= 0 && x <= m_W && y <= m_H; }

    void markAll();
    void markCell(int x, int y);
    // Marks the pixels of every tracked cell under an n x n square at field pixel (left, top),
    // where cell (x, y) starts at pixel ((x - 1) * n, (y - 1) * n).
    void markSquare(int left, int top);
    void cleanCell(int x, int y);
    void cleanField(); // cells 1..W x 1..H

    // The stale part of cell (x, y), relative to the cell's top left pixel; the cell is clean
    // afterwards. Empty when the cell already shows its colour throughout.
    QRect takeArea(int x, int y);

private:
    // A rectangle of pixels within one cell; empty when left > right
    struct Area {
        uint8_t left, top, right, bottom;
    };
    Area whole() const { return { 0, 0, uint8_t(m_n - 1), uint8_t(m_n - 1) }; }
    Area clean() const { return { uint8_t(m_n), uint8_t(m_n), 0, 0 }; }
    // The cell column or row holding field pixel p, which may lie left of or above the field
    int cellOf(int p) const { return (p >= 0 ? p / m_n : (p - m_n + 1) / m_n) + 1; }

    Area& area(int x, int y) { return m_areas[static_cast<std::size_t>(y) * (m_W + 1) + x]; }
    void markPart(int x, int y, int left, int top, int right, int bottom);

    int m_W = -1;
    int m_H = -1;
    int m_n = CellSize; // pixels of a cell side, at most 255
    std::vector<Area> m_areas; // row by row
};

} // namespace fendral
