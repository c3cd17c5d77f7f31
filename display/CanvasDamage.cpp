#include "CanvasDamage.h"

#include <algorithm>
#include <bit>

namespace fendral {

namespace {

    constexpr int WordBits = 64;

    // The first tile from `from` on whose mark is `marked`, or the row's end (a whole number of
    // words, past the last column)
    int findTile(const uint64_t* row, int words, int from, bool marked)
    {
        int word = from / WordBits;
        if (word >= words)
            return words * WordBits;
        const auto bits = [&](int i) { return marked ? row[i] : ~row[i]; };
        uint64_t found = bits(word) & (~uint64_t { 0 } << (from % WordBits));
        while (found == 0) {
            if (++word == words)
                return words * WordBits;
            found = bits(word);
        }
        return word * WordBits + std::countr_zero(found);
    }

    // The runs of marked tiles in one row, as [first, last] column pairs
    void findRuns(const uint64_t* row, int words, std::vector<int>& runs)
    {
        runs.clear();
        for (int first = findTile(row, words, 0, true); first < words * WordBits;
             first = findTile(row, words, runs.back() + 1, true)) {
            runs.push_back(first);
            runs.push_back(findTile(row, words, first, false) - 1);
        }
    }

    // Marks tiles first..last of a row
    void markTiles(uint64_t* row, int first, int last)
    {
        for (int word = first / WordBits; word <= last / WordBits; ++word) {
            const int low = std::max(first, word * WordBits) % WordBits;
            const int high = std::min(last, word * WordBits + WordBits - 1) % WordBits;
            const uint64_t upToHigh
                = high == WordBits - 1 ? ~uint64_t { 0 } : (uint64_t { 1 } << (high + 1)) - 1;
            row[word] |= upToHigh & (~uint64_t { 0 } << low);
        }
    }

} // namespace

namespace {
    // How far the grid's tile (0, 0) starts left of or above the canvas
    int shiftOf(int corner, int tileSize) { return (tileSize - corner % tileSize) % tileSize; }
}

CanvasDamage::CanvasDamage(const QSize& canvasSize, int tileSize, const QPoint& tileCorner)
    : m_tileSize(std::max(1, tileSize))
    , m_shift(shiftOf(tileCorner.x(), m_tileSize), shiftOf(tileCorner.y(), m_tileSize))
    , m_columns((canvasSize.width() + m_shift.x() + m_tileSize - 1) / m_tileSize)
    , m_rows((canvasSize.height() + m_shift.y() + m_tileSize - 1) / m_tileSize)
    , m_wordsPerRow((m_columns + WordBits - 1) / WordBits)
    , m_tiles(static_cast<std::size_t>(m_wordsPerRow) * static_cast<std::size_t>(m_rows), 0)
    , m_firstRow(m_rows)
    , m_lastRow(-1)
{
}

void CanvasDamage::add(const QRect& rect)
{
    const int tile = m_tileSize;
    const QRect clipped = rect.translated(m_shift) & QRect(0, 0, m_columns * tile, m_rows * tile);
    if (clipped.isEmpty())
        return;
    const int top = clipped.top() / tile;
    const int bottom = clipped.bottom() / tile;
    for (int y = top; y <= bottom; ++y)
        markTiles(row(y), clipped.left() / tile, clipped.right() / tile);
    m_firstRow = std::min(m_firstRow, top);
    m_lastRow = std::max(m_lastRow, bottom);
}

QRegion CanvasDamage::takeRegion()
{
    // QRegion keeps its rectangles in bands sorted by y and then x; building them in that form
    // lets the region take them in one go
    const int tile = m_tileSize;
    std::vector<QRect> rects;
    std::vector<int> runs;
    std::vector<int> bandRuns;
    std::size_t bandStart = 0;
    int bandBottom = -2;
    for (int y = m_firstRow; y <= m_lastRow; ++y) {
        findRuns(row(y), m_wordsPerRow, runs);
        if (runs.empty())
            continue;
        if (bandBottom == y - 1 && runs == bandRuns) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom((y + 1) * tile - 1);
        } else {
            bandStart = rects.size();
            bandRuns = runs;
            for (std::size_t i = 0; i < runs.size(); i += 2)
                rects.emplace_back(QPoint(runs[i] * tile, y * tile),
                    QPoint((runs[i + 1] + 1) * tile - 1, (y + 1) * tile - 1));
        }
        bandBottom = y;
    }
    if (m_firstRow <= m_lastRow)
        std::fill(row(m_firstRow), row(m_lastRow + 1), uint64_t { 0 });
    m_firstRow = m_rows;
    m_lastRow = -1;
    for (QRect& rect : rects)
        rect.translate(-m_shift);
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

} // namespace fendral
