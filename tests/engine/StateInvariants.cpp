#include "StateInvariants.h"

#include <sstream>
#include <vector>

namespace fendral {

namespace {

    bool isInPlay(const GameState& state, int p)
    {
        const Player& player = state.players[p];
        return player.alive && player.team >= 0 && player.team < TeamCount;
    }

    bool isInField(const GameState& state, int x, int y)
    {
        return x >= 1 && x <= state.W && y >= 1 && y <= state.H;
    }

    struct Checker {
        const GameState& state;
        std::ostringstream broken;
        bool failed = false;

        bool holds() const { return !failed; }
        std::ostream& fail()
        {
            failed = true;
            return broken;
        }

        void checkCells()
        {
            for (int x = 1; x <= state.W && holds(); ++x)
                for (int y = 1; y <= state.H && holds(); ++y) {
                    const uint8_t code = state.cells[x][y];
                    const bool interior = isInterior(state, x, y);
                    if (code == Ground || (code == Open && interior))
                        ;
                    else if (!isTrail(code) || !interior)
                        fail() << "cell (" << x << ", " << y << ") holds " << int(code);
                    else if (!isInPlay(state, trailOwner(code))
                        || !state.players[trailOwner(code)].drawing)
                        fail() << "trail cell (" << x << ", " << y << ") of player "
                               << trailOwner(code) << ", who is not drawing in play";
                    if (holds() && !isTrail(code) && state.trailDir[x][y] != 0)
                        fail() << "trailDir is left at (" << x << ", " << y << ")";
                }
        }

        // The walk from the trail's start visits every trail cell of p once and ends under p.
        void checkTrail(int p)
        {
            const Player& player = state.players[p];
            int cellsOfP = 0;
            for (int x = 1; x <= state.W; ++x)
                for (int y = 1; y <= state.H; ++y)
                    cellsOfP += state.cells[x][y] == TrailBase + p;
            if (player.trailLength != cellsOfP) {
                fail() << "player " << p << " has " << cellsOfP << " trail cells, trailLength "
                       << player.trailLength;
                return;
            }
            std::vector<uint8_t> visited(static_cast<std::size_t>((state.W + 2) * (state.H + 2)));
            int x = player.trailStartX;
            int y = player.trailStartY;
            for (int i = 0; i < player.trailLength; ++i) {
                uint8_t& seen = visited[static_cast<std::size_t>(x * (state.H + 2) + y)];
                if (!isInField(state, x, y) || state.cells[x][y] != TrailBase + p || seen) {
                    fail() << "the trail walk of player " << p << " leaves its trail at (" << x
                           << ", " << y << ")";
                    return;
                }
                seen = 1;
                const Step step = directionStep(state.trailDir[x][y]);
                x += step.dx;
                y += step.dy;
            }
            if (x != player.x || y != player.y)
                fail() << "the trail walk of player " << p << " ends at (" << x << ", " << y
                       << "), not under the player";
        }

        // A whole block holds 16 when it holds ground, otherwise the bits of the trails in it;
        // the edge blocks hold 16.
        void checkBlocks()
        {
            const int b = state.borderWidth;
            const int m = (state.W - 2 * b) / BlockSize;
            const int n = (state.H - 2 * b) / BlockSize;
            for (int bx = 0; bx <= m + 1 && holds(); ++bx)
                for (int by = 0; by <= n + 1 && holds(); ++by) {
                    uint8_t expected = BlockHasGround;
                    if (bx >= 1 && bx <= m && by >= 1 && by <= n) {
                        expected = AllOpen;
                        const int x0 = b + BlockSize * (bx - 1) + 1;
                        const int y0 = b + BlockSize * (by - 1) + 1;
                        for (int x = x0; x < x0 + BlockSize; ++x)
                            for (int y = y0; y < y0 + BlockSize; ++y) {
                                const uint8_t code = state.cells[x][y];
                                if (code == Ground)
                                    expected |= BlockHasGround;
                                else if (isTrail(code))
                                    expected |= static_cast<uint8_t>(1 << trailOwner(code));
                            }
                        if (expected & BlockHasGround)
                            expected = BlockHasGround;
                    }
                    if (state.blockState[bx][by] != expected)
                        fail() << "blockState (" << bx << ", " << by << ") is "
                               << int(state.blockState[bx][by]) << ", not " << int(expected);
                }
        }

        void checkEnemies()
        {
            if (state.openEnemies.size() != static_cast<std::size_t>(state.openEnemyCount)
                || state.groundEnemies.size() != static_cast<std::size_t>(state.groundEnemyCount))
                fail() << "the enemy lists do not match their counts";
            for (std::size_t i = 0; i < state.openEnemies.size() && holds(); ++i) {
                const Enemy& enemy = state.openEnemies[i];
                if (!isInterior(state, enemy.x, enemy.y))
                    fail() << "open enemy " << i << " at (" << enemy.x << ", " << enemy.y
                           << ") is outside the interior";
            }
            for (std::size_t i = 0; i < state.groundEnemies.size() && holds(); ++i) {
                const Enemy& enemy = state.groundEnemies[i];
                if (!isInField(state, enemy.x, enemy.y) || state.cells[enemy.x][enemy.y] != Ground)
                    fail() << "ground enemy " << i << " at (" << enemy.x << ", " << enemy.y
                           << ") is off the ground";
            }
        }

        void checkPlayersAndTeams()
        {
            int alive = 0;
            for (int p = 0; p < PlayerCount && holds(); ++p) {
                const Player& player = state.players[p];
                if (player.dirQueueLength < 0 || player.dirQueueLength > 2)
                    fail() << "player " << p << " queues " << player.dirQueueLength << " requests";
                else if (!player.alive && (player.killed || player.drawing))
                    fail() << "player " << p << " is out of play but marked or drawing";
                if (!player.alive || !holds())
                    continue;
                ++alive;
                if (!isInPlay(state, p))
                    fail() << "player " << p << " is alive in team " << player.team;
                else if (!isInField(state, player.x, player.y))
                    fail() << "player " << p << " stands at (" << player.x << ", " << player.y
                           << ")";
                else if (player.drawing)
                    checkTrail(p);
            }
            if (holds() && alive > state.playersInPlay)
                fail() << alive << " players are alive, but " << state.playersInPlay
                       << " are in play";
            for (int t = 0; t < TeamCount && holds(); ++t)
                if (!(state.teams[t].lives >= 0 && state.teams[t].lives < 100))
                    fail() << "team " << t << " has " << state.teams[t].lives << " lives";
        }
    };

} // namespace

bool guardRingIsOutside(const GameState& state)
{
    for (int x = 0; x <= state.W + 1; ++x)
        for (int y = 0; y <= state.H + 1; ++y)
            if (!isInField(state, x, y) && state.cells[x][y] != Outside)
                return false;
    return true;
}

std::string brokenInvariant(const GameState& state)
{
    if (!guardRingIsOutside(state))
        return "the guard ring does not hold Outside everywhere";
    Checker checker { state, {}, false };
    checker.checkCells();
    if (checker.holds())
        checker.checkPlayersAndTeams();
    if (checker.holds())
        checker.checkBlocks();
    if (checker.holds())
        checker.checkEnemies();
    return checker.broken.str();
}

} // namespace fendral
