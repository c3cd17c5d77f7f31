// The texts and leader colours of the score display: shares as percentages, lives, the leaders
#pragma once

#include "GameState.h"

#include <QColor>
#include <QString>

#include <array>

namespace fendral {

// [i][k]: k = 0 team i leads the game, 1 team i leads the level,
//         2 player i leads the game, 3 player i leads the level
using LeaderFlags = std::array<std::array<bool, 4>, 4>;

LeaderFlags computeLeaderFlags(const GameState& state);

// A share of the field as a percentage with two decimals, "87.65%".
QString formatPercent(double share);

// A team's lives: the whole part, and "." with the truncated hundredths ("." alone for none).
QString livesWholeText(double lives);
QString livesFractionText(double lives);

namespace ScoreColours {
    const QColor black(0, 0, 0);
    const QColor navy(0, 0, 128); // a team leads
    const QColor green(0, 128, 0); // a player leads
    const QColor grey(128, 128, 128); // out of play, or eliminated
}

// A label colour with a player's green lead added: black becomes green, navy becomes teal.
QColor withGreen(const QColor& colour);

} // namespace fendral
