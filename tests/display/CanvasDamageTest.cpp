// The canvas changes gathered in tiles: the region handed to Qt covers every change, and no more
// than the tiles the changes touch
#include "CanvasDamage.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace fendral;

namespace {

// The part of the rectangle on a canvas of columns x rows tiles, grown to whole 8 x 8 tiles
QRect toTiles(const QRect& rect, int columns, int rows)
{
    const int t = CanvasDamage::TileSize;
    const QRect clipped = rect & QRect(0, 0, columns * t, rows * t);
    if (clipped.isEmpty())
        return {};
    return QRect(QPoint(clipped.left() / t * t, clipped.top() / t * t),
        QPoint(clipped.right() / t * t + t - 1, clipped.bottom() / t * t + t - 1));
}

} // namespace

TEST(CanvasDamage, TheRegionIsTheUnionOfTheTilesTouchedInValidBands)
{
    // The window's canvas, and one whose rows end inside a word of tile marks
    const int rows = 91;
    CanvasDamage damages[] { CanvasDamage(QSize(75 * 8 - 3, rows * 8 - 7)),
        CanvasDamage(QSize(128 * 8, rows * 8 - 7)) };
    QRandomGenerator random(7);
    for (int round = 0; round < 400; ++round) {
        const int columns = round % 2 ? 128 : 75;
        CanvasDamage& damage = damages[round % 2];
        QRegion expected;
        const int count = random.bounded(1, 120);
        for (int i = 0; i < count; ++i) {
            // Sprites, cells, blocks and now and then a rectangle reaching past the canvas
            const QRect rect(random.bounded(-20, 1030), random.bounded(-20, 730),
                random.bounded(1, round % 10 == 0 ? 600 : 24), random.bounded(1, 24));
            damage.add(rect);
            expected += toTiles(rect, columns, rows);
        }
        const QRegion region = damage.takeRegion();
        ASSERT_TRUE((region ^ expected).isEmpty()) << "round " << round;
        // Built as bands, the region must say the same as one built rectangle by rectangle
        QRegion rebuilt;
        for (const QRect& rect : region)
            rebuilt += rect;
        ASSERT_EQ(rebuilt, region) << "round " << round;
        ASSERT_TRUE(damage.isEmpty());
        ASSERT_TRUE(damage.takeRegion().isEmpty());
    }
}
