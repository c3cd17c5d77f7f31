#include "ScoreText.h"

#include <cmath>

namespace fendral {

namespace {
    enum LeadColumn { TeamGame = 0, TeamLevel = 1, PlayerGame = 2, PlayerLevel = 3 };

    bool isEligible(const GameState& state, int i, int k)
    {
        switch (k) {
        case TeamGame:
            return state.teams[i].members != 0;
        case TeamLevel:
            return state.teams[i].activeAtLevelStart != 0;
        case PlayerGame:
            return state.players[i].team >= 0;
        default:
            return state.players[i].aliveAtLevelStart != 0;
        }
    }

    double valueOf(const GameState& state, int i, int k)
    {
        switch (k) {
        case TeamGame:
            return state.teams[i].totalShare;
        case TeamLevel:
            return state.teams[i].levelShare;
        case PlayerGame:
            return state.players[i].totalShare;
        default:
            return state.players[i].levelShare;
        }
    }

    bool leads(const GameState& state, int i, int k)
    {
        if (!isEligible(state, i, k) || state.levelStartCounts[k] <= 1)
            return false;
        // Anything within one percentage point of the best counts as leading
        for (int j = 0; j < 4; ++j)
            if (isEligible(state, j, k) && valueOf(state, j, k) > valueOf(state, i, k) + 0.01)
                return false;
        return true;
    }

    QString twoDigits(int n) { return n < 10 ? QStringLiteral("0%1").arg(n) : QString::number(n); }
}

LeaderFlags computeLeaderFlags(const GameState& state)
{
    LeaderFlags flags {};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k)
            flags[i][k] = leads(state, i, k);
    return flags;
}

QString formatPercent(double share)
{
    double v = share * 100;
    const double f = v - std::trunc(v);
    const int d = static_cast<int>(std::trunc(f * 100 + 0.5));
    QString t = twoDigits(d);
    // Rounding the hundredths up to a whole carries into the whole part
    if (t == QLatin1String("100")) {
        t = QStringLiteral("00");
        v += 1;
    }
    return QString::number(static_cast<long long>(std::trunc(v))) + QLatin1Char('.') + t
        + QLatin1Char('%');
}

QString livesWholeText(double lives)
{
    return QString::number(static_cast<int>(std::trunc(lives)));
}

QString livesFractionText(double lives)
{
    const int h = static_cast<int>(std::trunc((lives - std::trunc(lives)) * 100));
    const QString t = twoDigits(h);
    return t == QLatin1String("00") ? QStringLiteral(".") : QLatin1Char('.') + t;
}

QColor withGreen(const QColor& colour)
{
    return QColor(colour.red(), colour.green() + ScoreColours::green.green(), colour.blue());
}

} // namespace fendral
