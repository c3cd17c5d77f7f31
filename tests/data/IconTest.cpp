// The window icon compiled into the program, present without any initialisation call, and the
// icon design, drawn on a 32-unit grid so that it stays sharp at 32 px
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace {

const QString ResourceIcon = QStringLiteral(":/icons/fendral.png");

QImage installedIcon(int size)
{
    return QImage(
        QStringLiteral(FENDRAL_DATA_DIR "/icons/hicolor/%1x%1/apps/" FENDRAL_APP_ID ".png")
            .arg(size))
        .convertToFormat(QImage::Format_ARGB32);
}

TEST(Icon, ResourceIsTheLargestInstalledIconWithoutAnInitialisationCall)
{
    const QImage resource = QImage(ResourceIcon).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(resource.isNull()) << "no image at " << ResourceIcon.toStdString();
    const QImage installed = installedIcon(256);
    ASSERT_EQ(installed.size(), QSize(256, 256));
    EXPECT_EQ(resource, installed);
}

TEST(Icon, EveryEdgeLiesOnTheGridOfTheSmallestSize)
{
    // At 256 px each unit of the 32-unit grid is an 8 x 8 block. A block of one colour throughout
    // has no edge crossing it, and the 32 px icon shows that colour unblended. Only the three
    // blocks deep rounded corners may blend.
    const QImage large = installedIcon(256);
    const QImage small = installedIcon(32);
    ASSERT_EQ(large.size(), QSize(256, 256));
    ASSERT_EQ(small.size(), QSize(32, 32));
    const auto isCorner = [](int bx, int by) { return (bx < 3 || bx > 28) && (by < 3 || by > 28); };
    for (int by = 0; by < 32; ++by)
        for (int bx = 0; bx < 32; ++bx) {
            if (isCorner(bx, by))
                continue;
            const QRgb colour = large.pixel(bx * 8, by * 8);
            bool isOneColour = true;
            for (int y = by * 8; y < by * 8 + 8; ++y)
                for (int x = bx * 8; x < bx * 8 + 8; ++x)
                    isOneColour = isOneColour && large.pixel(x, y) == colour;
            EXPECT_TRUE(isOneColour) << "an edge crosses unit (" << bx << ", " << by << ")";
            EXPECT_EQ(small.pixel(bx, by), colour) << "at (" << bx << ", " << by << ")";
        }
}

} // namespace
