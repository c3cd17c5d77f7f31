#include "StaleCells.h"

#include <algorithm>

namespace fendral {

namespace {
    // The cell column or row holding field pixel p, which may lie left of or above the field
    int cellOf(int p) { return (p >= 0 ? p / CellSize : (p - CellSize + 1) / CellSize) + 1; }
}

void StaleCells::reset(int W, int H)
{
    m_W = W;
    m_H = H;
    m_areas.assign(static_cast<std::size_t>(W + 1) * (H + 1), Whole);
}

void StaleCells::clear()
{
    m_W = m_H = -1;
    m_areas.clear();
}

void StaleCells::markAll() { std::fill(m_areas.begin(), m_areas.end(), Whole); }

void StaleCells::markCell(int x, int y)
{
    if (tracks(x, y))
        area(x, y) = Whole;
}

void StaleCells::cleanCell(int x, int y)
{
    if (tracks(x, y))
        area(x, y) = Clean;
}

void StaleCells::cleanField()
{
    for (int y = 1; y <= m_H; ++y)
        std::fill_n(&area(1, y), m_W, Clean);
}

void StaleCells::markSquare(int left, int top)
{
    const int right = left + CellSize - 1;
    const int bottom = top + CellSize - 1;
    for (int y = cellOf(top); y <= cellOf(bottom); ++y)
        for (int x = cellOf(left); x <= cellOf(right); ++x) {
            const int cellLeft = (x - 1) * CellSize;
            const int cellTop = (y - 1) * CellSize;
            markPart(x, y, std::max(left, cellLeft) - cellLeft, std::max(top, cellTop) - cellTop,
                std::min(right, cellLeft + CellSize - 1) - cellLeft,
                std::min(bottom, cellTop + CellSize - 1) - cellTop);
        }
}

void StaleCells::markPart(int x, int y, int left, int top, int right, int bottom)
{
    if (!tracks(x, y))
        return;
    Area& stale = area(x, y);
    stale.left = static_cast<uint8_t>(std::min<int>(stale.left, left));
    stale.top = static_cast<uint8_t>(std::min<int>(stale.top, top));
    stale.right = static_cast<uint8_t>(std::max<int>(stale.right, right));
    stale.bottom = static_cast<uint8_t>(std::max<int>(stale.bottom, bottom));
}

QRect StaleCells::takeArea(int x, int y)
{
    if (!tracks(x, y))
        return {};
    Area& stale = area(x, y);
    const QRect taken(QPoint(stale.left, stale.top), QPoint(stale.right, stale.bottom));
    stale = Clean;
    return taken.isValid() ? taken : QRect();
}

} // namespace fendral
