// The one scaling rule over screens, window frames and desktop scale factors
#include "ScreenScale.h"

#include <gtest/gtest.h>

using namespace fendral;

TEST(ScreenScale, TheLargestWholeCellSizeThatFitsAtMostEightTimesTheDesktopFactorInAWindow)
{
    // Sizes in device pixels; a full screen row has no frame and no factor of its own
    struct Row {
        bool fullScreen;
        QSize screen, frame;
        double factor;
        int n;
        QSize client;
    } const rows[] = {
        { false, { 1280, 1024 }, {}, 1, 8, { 1024, 721 } },
        { false, { 1024, 721 }, { 0, 0 }, 1, 8, { 1024, 721 } }, // an exact fit
        // a laptop with a 28-pixel panel and a window manager's 24-pixel title bar and border
        { false, { 1366, 740 }, { 2, 24 }, 1, 7, { 896, 631 } },
        { false, { 320, 200 }, {}, 1, 4, { 512, 361 } },
        { false, { 2400, 1500 }, {}, 1.25, 10, { 1280, 901 } },
        { false, { 1920, 1040 }, { 0, 36 }, 1.5, 11, { 1408, 991 } },
        { false, { 3840, 2100 }, { 0, 48 }, 2, 16, { 2048, 1442 } },
        { false, { 3840, 2100 }, {}, 1.1, 8, { 1024, 721 } },
        { true, { 2560, 1440 }, {}, 1, 15, { 1920, 1352 } },
        { true, { 1366, 768 }, {}, 1, 8, { 1024, 721 } },
        { true, { 1408, 990 }, {}, 1, 10, { 1280, 901 } }, // a pixel too low for 11
        { true, { 400, 300 }, {}, 1, 4, { 512, 361 } },
    };
    for (const Row& row : rows) {
        const int n = row.fullScreen ? fullScreenCellSize(row.screen)
                                     : windowCellSize(row.screen, row.frame, row.factor);
        EXPECT_EQ(n, row.n) << row.screen.width() << " x " << row.screen.height() << " at "
                            << row.factor << (row.fullScreen ? " full screen" : "");
        EXPECT_EQ(scaledClientSize(n), row.client) << "n = " << n;
    }
}
