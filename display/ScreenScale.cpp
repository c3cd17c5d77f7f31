#include "ScreenScale.h"

#include "GameState.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace fendral {

namespace {
    constexpr int FieldColumns = 128;
    constexpr int FieldRows = 81;
    constexpr int DesignPanelHeight = 73;

    bool fits(const QSize& client, const QSize& room)
    {
        return client.width() <= room.width() && client.height() <= room.height();
    }

    // The largest n from `largest` down whose client area, with `frame` around it, fits `room`
    int largestFitting(int largest, const QSize& frame, const QSize& room)
    {
        int n = largest;
        while (n > SmallestCellSize && !fits(scaledClientSize(n) + frame, room))
            --n;
        return n;
    }
}

QSize scaledClientSize(int n)
{
    // The panel's height is rounded to the nearest pixel, half a pixel up
    return QSize(
        FieldColumns * n, FieldRows * n + (DesignPanelHeight * n + CellSize / 2) / CellSize);
}

int windowCellSize(const QSize& available, const QSize& frame, double devicePixelRatio)
{
    // A tiny margin keeps 8 * 1.25 from coming out as 9.999...
    const int described
        = std::max(SmallestCellSize, int(std::floor(CellSize * devicePixelRatio + 1e-9)));
    return largestFitting(described, frame, available);
}

int fullScreenCellSize(const QSize& screen)
{
    return largestFitting(
        std::max(screen.width() / FieldColumns, SmallestCellSize), QSize(0, 0), screen);
}

Scale::Scale(int cellSize, double devicePixelRatio)
    : m_cellSize(cellSize)
    , m_devicePixelRatio(devicePixelRatio > 0 ? devicePixelRatio : 1)
{
}

int Scale::logical(int design) const
{
    return qRound(design * m_cellSize / (CellSize * m_devicePixelRatio));
}

QRect Scale::logical(const QRect& design) const
{
    const int left = logical(design.x());
    const int top = logical(design.y());
    return QRect(left, top, logical(design.x() + design.width()) - left,
        logical(design.y() + design.height()) - top);
}

} // namespace fendral
