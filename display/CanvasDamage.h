// The parts of the window's canvas changed since the last repaint, gathered in tiles of a cell
#pragma once

#include <QPoint>
#include <QRegion>
#include <QSize>

#include <cstdint>
#include <vector>

namespace fendral {

// A tick reports a hundred small rectangles (every gliding sprite's cells); marking tiles costs
// next to nothing, and the window hands Qt one region of whole tiles per tick instead of a
// hundred separate updates.
class CanvasDamage {
public:
    static constexpr int TileSize = 8; // a cell of the field as described

    // Tiles of tileSize pixels, lined up with a cell's corner at `tileCorner` (the field origin).
    explicit CanvasDamage(
        const QSize& canvasSize, int tileSize = TileSize, const QPoint& tileCorner = QPoint());

    // Marks every tile the rectangle touches; parts outside the canvas are ignored.
    void add(const QRect& rect);
    bool isEmpty() const { return m_firstRow > m_lastRow; }

    // The marked tiles as one region, rows with the same runs merged into one band; the marks are
    // cleared.
    QRegion takeRegion();

private:
    uint64_t* row(int y) { return m_tiles.data() + static_cast<std::size_t>(y) * m_wordsPerRow; }

    int m_tileSize;
    QPoint m_shift; // from canvas pixels to those of the tile grid, whose tile (0, 0) is whole
    int m_columns;
    int m_rows;
    int m_wordsPerRow;
    std::vector<uint64_t> m_tiles; // one bit a tile, row by row
    int m_firstRow; // the rows that hold marks
    int m_lastRow;
};

} // namespace fendral
