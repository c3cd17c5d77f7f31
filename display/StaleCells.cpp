#include "StaleCells.h"

#include <algorithm>

namespace fendral {

void StaleCells::reset(int W, int H, int n)
{
    m_W = W;
    m_H = H;
    m_n = std::clamp(n, 1, 255);
    m_areas.assign(static_cast<std::size_t>(W + 1) * (H + 1), whole());
}

void StaleCells::clear()
{
    m_W = m_H = -1;
    m_areas.clear();
}

void StaleCells::markAll() { std::fill(m_areas.begin(), m_areas.end(), whole()); }

void StaleCells::markCell(int x, int y)
{
    if (tracks(x, y))
        area(x, y) = whole();
}

void StaleCells::cleanCell(int x, int y)
{
    if (tracks(x, y))
        area(x, y) = clean();
}

void StaleCells::cleanField()
{
    for (int y = 1; y <= m_H; ++y)
        std::fill_n(&area(1, y), m_W, clean());
}

void StaleCells::markSquare(int left, int top)
{
    const int right = left + m_n - 1;
    const int bottom = top + m_n - 1;
    for (int y = cellOf(top); y <= cellOf(bottom); ++y)
        for (int x = cellOf(left); x <= cellOf(right); ++x) {
            const int cellLeft = (x - 1) * m_n;
            const int cellTop = (y - 1) * m_n;
            markPart(x, y, std::max(left, cellLeft) - cellLeft, std::max(top, cellTop) - cellTop,
                std::min(right, cellLeft + m_n - 1) - cellLeft,
                std::min(bottom, cellTop + m_n - 1) - cellTop);
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
    stale = clean();
    return taken.isValid() ? taken : QRect();
}

} // namespace fendral
