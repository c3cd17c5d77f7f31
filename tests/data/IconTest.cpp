// The window icon compiled into the program, present without any initialisation call
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

} // namespace
