// The canvas changes gathered in tiles: the region handed to Qt covers every change, and no more
// than the tiles the changes touch
#include "CanvasDamage.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace fendral;

namespace {

// The part of the rectangle on a canvas of 128 x 91 tiles, grown to whole 8 x 8 tiles
QRect toTiles(const QRect& rect)
{
    const int t = CanvasDamage::TileSize;
    const QRect clipped = rect & QRect(0, 0, 128 * t, 91 * t);
    if (clipped.isEmpty())
        return {};
    return QRect(QPoint(clipped.left() / t * t, clipped.top() / t * t),
        QPoint(clipped.right() / t * t + t - 1, clipped.bottom() / t * t + t - 1));
}

} // namespace

TEST(CanvasDamage, TheRegionIsTheUnionOfTheTilesTouchedInValidBands)
{
    const QSize canvas(1024, 721);
    CanvasDamage damage(canvas);
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        QRegion expected;
        const int count = random.bounded(1, 120);
        for (int i = 0; i < count; ++i) {
            // Sprites, cells, blocks and now and then a rectangle reaching past the canvas
            const QRect rect(random.bounded(-20, 1030), random.bounded(-20, 730),
                random.bounded(1, round % 10 == 0 ? 600 : 24), random.bounded(1, 24));
            damage.add(rect);
            expected += toTiles(rect);
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

TEST(CanvasDamage, AGlidingSpriteIsOneRectangleOfItsTwoByTwoCells)
{
    CanvasDamage damage(QSize(1024, 721));
    damage.add(QRect(80, 40, 16, 16));
    damage.add(QRect(83, 45, 8, 8)); // its square, inside those cells
    const QRegion region = damage.takeRegion();
    EXPECT_EQ(region.rectCount(), 1);
    EXPECT_EQ(region.boundingRect(), QRect(80, 40, 16, 16));
}
