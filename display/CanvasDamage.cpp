#include "CanvasDamage.h"

#include <algorithm>

namespace fendral {

namespace {

    // The runs of marked tiles in one row, as [first, last] column pairs
    void findRuns(const uint8_t* row, int columns, std::vector<int>& runs)
    {
        runs.clear();
        for (int x = 0; x < columns; ++x) {
            if (!row[x])
                continue;
            const int first = x;
            while (x + 1 < columns && row[x + 1])
                ++x;
            runs.push_back(first);
            runs.push_back(x);
        }
    }

} // namespace

CanvasDamage::CanvasDamage(const QSize& canvasSize)
    : m_columns((canvasSize.width() + TileSize - 1) / TileSize)
    , m_rows((canvasSize.height() + TileSize - 1) / TileSize)
    , m_tiles(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), 0)
    , m_firstRow(m_rows)
    , m_lastRow(-1)
{
}

void CanvasDamage::add(const QRect& rect)
{
    const QRect clipped = rect & QRect(0, 0, m_columns * TileSize, m_rows * TileSize);
    if (clipped.isEmpty())
        return;
    const int top = clipped.top() / TileSize;
    const int bottom = clipped.bottom() / TileSize;
    for (int y = top; y <= bottom; ++y) {
        uint8_t* row = m_tiles.data() + static_cast<std::size_t>(y) * m_columns;
        std::fill(
            row + clipped.left() / TileSize, row + clipped.right() / TileSize + 1, uint8_t { 1 });
    }
    m_firstRow = std::min(m_firstRow, top);
    m_lastRow = std::max(m_lastRow, bottom);
}

QRegion CanvasDamage::takeRegion()
{
    // QRegion keeps its rectangles in bands sorted by y and then x; building them in that form
    // lets the region take them in one go
    std::vector<QRect> rects;
    std::vector<int> runs;
    std::vector<int> bandRuns;
    std::size_t bandStart = 0;
    int bandBottom = -2;
    for (int y = m_firstRow; y <= m_lastRow; ++y) {
        uint8_t* row = m_tiles.data() + static_cast<std::size_t>(y) * m_columns;
        findRuns(row, m_columns, runs);
        std::fill(row, row + m_columns, uint8_t { 0 });
        if (runs.empty())
            continue;
        if (bandBottom == y - 1 && runs == bandRuns) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom((y + 1) * TileSize - 1);
        } else {
            bandStart = rects.size();
            bandRuns = runs;
            for (std::size_t i = 0; i < runs.size(); i += 2)
                rects.emplace_back(QPoint(runs[i] * TileSize, y * TileSize),
                    QPoint((runs[i + 1] + 1) * TileSize - 1, (y + 1) * TileSize - 1));
        }
        bandBottom = y;
    }
    m_firstRow = m_rows;
    m_lastRow = -1;
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

} // namespace fendral
