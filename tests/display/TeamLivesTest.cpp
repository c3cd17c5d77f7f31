// A team's lives, from 0 to 99.99, show whole between the frame's left line and their fraction
#include "TeamScoreFrame.h"
#include "Widgets.h"

#include "GameState.h"

#include <gtest/gtest.h>

using namespace fendral;

TEST(TeamLives, EveryValueShowsWholeRightOfTheFramesLine)
{
    GameState state;
    TeamScoreFrame frame(nullptr);
    const AnchoredLabel* lives = frame.livesLabel();
    for (int hundredths = 0; hundredths <= 9999; ++hundredths) {
        state.teams[0].lives = hundredths / 100.0;
        frame.updateFrame(state, 0, {});
        const std::string what = lives->text().toStdString();
        // The label, as wide as its text, lies right of the line (two pixels) and ends where the
        // fraction begins
        EXPECT_GE(lives->x(), 2) << what;
        EXPECT_EQ(lives->geometry().right() + 1, 33) << what;
        if (hundredths < 900) {
            EXPECT_EQ(lives->font().stretch(), QFont::Unstretched) << what << " keeps its width";
        }
    }
}
