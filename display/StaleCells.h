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
    // Cells 0..W x 0..H, the whole of each stale.
    void reset(int W, int H);
    // Tracks no cell.
    void clear();

    // Whether cell (x, y) is one of the tracked cells.
    bool tracks(int x, int y) const { return x >= 0 && y >= 0 && x <= m_W && y <= m_H; }

    void markAll();
    void markCell(int x, int y);
    // Marks the pixels of every tracked cell under an 8 x 8 square at field pixel (left, top),
    // where cell (x, y) starts at pixel ((x - 1) * 8, (y - 1) * 8).
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
    static constexpr Area Whole { 0, 0, CellSize - 1, CellSize - 1 };
    static constexpr Area Clean { CellSize, CellSize, 0, 0 };

    Area& area(int x, int y) { return m_areas[static_cast<std::size_t>(y) * (m_W + 1) + x]; }
    void markPart(int x, int y, int left, int top, int right, int bottom);

    int m_W = -1;
    int m_H = -1;
    std::vector<Area> m_areas; // row by row
};

} // namespace fendral
