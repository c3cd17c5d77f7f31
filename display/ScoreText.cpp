#include "ScoreText.h"

#include <array>
#include <charconv>
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

    struct DecimalLives {
        QString whole;
        QString hundredths; // two digits, truncated
    };

    // Lives are shown by their decimal value, not by the double that holds it: 99.99 is held as
    // 99.98999..., 3.3 as 3.29999..., and sums of shares may land a hair below a hundredth they
    // reach exactly. Lives are whole lives plus multiples of one cell's share of the field, so
    // a true value lies either on a hundredth or at least 1 / (100 x cells) away from it, far
    // more than the nine decimals the value is rounded to first; and the error a game's sums
    // gather stays far below those nine decimals. The whole part comes from the same digits, so
    // a hair below 3 shows "3" and ".".
    DecimalLives livesDecimal(double lives)
    {
        // A hair below zero shows as 0, not as "-0"
        if (!std::isfinite(lives) || std::fabs(lives) < 1e-9)
            lives = 0;
        std::array<char, 400> text; // enough for any finite double in fixed notation
        const auto [end, error] = std::to_chars(
            text.data(), text.data() + text.size(), lives, std::chars_format::fixed, 9);
        if (error != std::errc())
            return { QStringLiteral("0"), QStringLiteral("00") };
        const QLatin1StringView digits(text.data(), end - text.data());
        const qsizetype point = digits.indexOf(QLatin1Char('.'));
        return { QString(digits.left(point)), QString(digits.mid(point + 1, 2)) };
    }
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

QString livesWholeText(double lives) { return livesDecimal(lives).whole; }

QString livesFractionText(double lives)
{
    const QString hundredths = livesDecimal(lives).hundredths;
    return hundredths == QLatin1String("00") ? QStringLiteral(".") : QLatin1Char('.') + hundredths;
}

QColor withGreen(const QColor& colour)
{
    return QColor(colour.red(), colour.green() + ScoreColours::green.green(), colour.blue());
}

} // namespace fendral
