#include "StateHash.h"

#include <bit>

namespace fendral {

namespace {

    // FNV-1a over the little-endian bytes of each value, the same on every machine
    class Hasher {
    public:
        void add(uint64_t value, int bytes = 8)
        {
            for (int i = 0; i < bytes; ++i) {
                m_hash ^= (value >> (8 * i)) & 0xFF;
                m_hash *= 0x100000001B3ULL;
            }
        }
        void add(int32_t value) { add(static_cast<uint64_t>(static_cast<uint32_t>(value)), 4); }
        void add(double value) { add(std::bit_cast<uint64_t>(value)); }
        template <typename Cell> void add(const Grid<Cell>& grid)
        {
            for (int x = 0; x < grid.columns(); ++x)
                for (int y = 0; y < grid.rows(); ++y)
                    add(static_cast<uint64_t>(grid[x][y]), sizeof(Cell));
        }
        uint64_t value() const { return m_hash; }

    private:
        uint64_t m_hash = 0xCBF29CE484222325ULL;
    };

    void addPlayer(Hasher& hasher, const Player& player)
    {
        for (const int32_t value :
            { player.team, static_cast<int32_t>(player.colour), player.shielded, player.x, player.y,
                player.dx, player.dy, player.drawing, player.alive, player.trailStartX,
                player.trailStartY, player.trailLength, player.deaths, player.levelDeaths,
                player.aliveAtLevelStart, player.dirQueue[0], player.dirQueue[1],
                player.dirQueueLength, player.killed, player.closedTrail, player.respawnDelay })
            hasher.add(value);
        hasher.add(player.totalShare);
        hasher.add(player.levelShare);
    }

    void addTeam(Hasher& hasher, const Team& team)
    {
        for (const int32_t value :
            { team.members, team.active, team.activeAtLevelStart, team.outList[0], team.outList[1],
                team.outList[2], team.outList[3], team.outCount })
            hasher.add(value);
        hasher.add(team.totalShare);
        hasher.add(team.levelShare);
        hasher.add(team.lives);
    }

    void addEnemies(Hasher& hasher, const std::vector<Enemy>& enemies)
    {
        hasher.add(static_cast<uint64_t>(enemies.size()));
        for (const Enemy& enemy : enemies)
            for (const int32_t value : { enemy.x, enemy.y, enemy.dx, enemy.dy })
                hasher.add(value);
    }

} // namespace

uint64_t stateHash(const GameState& state)
{
    Hasher hasher;
    for (const int32_t value : { state.W, state.H, state.borderWidth, state.level,
             state.levelColour, state.groundEnemyCount, state.openEnemyCount, state.playersInPlay,
             state.levelStartCounts[0], state.levelStartCounts[1], state.levelStartCounts[2],
             state.levelStartCounts[3], state.gameOver, state.cheatCount })
        hasher.add(value);
    hasher.add(static_cast<uint64_t>(state.stepsPlayed));
    hasher.add(state.fieldShare);
    hasher.add(state.neededShare);
    hasher.add(state.cells);
    hasher.add(state.trailDir);
    hasher.add(state.blockState);
    for (const Player& player : state.players)
        addPlayer(hasher, player);
    for (const Team& team : state.teams)
        addTeam(hasher, team);
    addEnemies(hasher, state.groundEnemies);
    addEnemies(hasher, state.openEnemies);
    hasher.add(state.rng.stateValue());
    return hasher.value();
}

} // namespace fendral
