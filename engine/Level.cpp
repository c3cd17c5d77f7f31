#include "Level.h"

#include "Tick.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace fendral {

namespace {

    // Nothing of the last game reaches the next one: a player hit just before the return to the
    // menu would otherwise die again in the new game, through a trail that is no longer there.
    void resetPlayersAndTeams(GameState& state)
    {
        for (int p = 0; p < PlayerCount; ++p) {
            Player& player = state.players[p] = Player {}; // team -1: not taking part
            player.colour = defaultColours[state.colourChoice[p]];
        }
        for (Team& team : state.teams) {
            team = Team {};
            team.lives = 2.0;
        }
        state.dies.fill(0);
        state.teamLostLife.fill(0);
        state.changed = 0;
    }

    // Puts each player into the first team the setup chose for it; a player without one sits out.
    void assignTeams(GameState& state)
    {
        state.playersInPlay = 0;
        for (int p = 0; p < PlayerCount; ++p)
            for (int t = 0; t < TeamCount; ++t) {
                if (!state.teamAssignment[t][p])
                    continue;
                Player& player = state.players[p];
                player.team = t;
                player.alive = 1;
                state.teams[t].active = 1;
                ++state.teams[t].members;
                state.teams[t].lives += 1.0;
                ++state.playersInPlay;
                break;
            }
    }

    void buildKeyOwners(GameState& state)
    {
        state.keyOwner.fill(0);
        // A computer player's keys steer nobody: a person may use them
        for (int p = 0; p < PlayerCount; ++p)
            if (state.players[p].alive && state.computer[p] == Person)
                for (int k = 0; k < 4; ++k)
                    state.keyOwner[state.controlKeys[p][k]] = static_cast<uint8_t>(4 * p + k + 1);
    }

    void showLevelCaptions(Game& game, int n)
    {
        const GameState& state = game.state;
        // Appended piece by piece: g++ 12 warns wrongly of overlapping copies when a literal is
        // prepended to a number's text at -O3
        std::string enemies = "(";
        enemies.append(std::to_string(state.openEnemyCount)).append("; ");
        enemies.append(std::to_string(state.groundEnemyCount)).append(")");
        game.view.setLevelCaptions(std::string("Level ").append(std::to_string(n)), enemies);
    }

    void drawBorderWidth(GameState& state)
    {
        // Both draws are always made: 2 is the likeliest border, 4 the rarest
        state.borderWidth = random(state, 4) == 0 ? 3 : 2;
        if (random(state, 10) == 0)
            state.borderWidth = 4;
    }

    void drawNeededShare(Game& game, int n)
    {
        GameState& state = game.state;
        const int r = random(state, 400);
        const double v = 0.9 + (n - 1) * (0.3 - 0.9) / 49 - 0.02 + r * 0.0001;
        state.neededShare = std::trunc(v * 1000) * 0.001;
        game.view.setNeededShare(state.neededShare);
    }

    void placeEnemy(GameState& state, Enemy& enemy, int x, int y)
    {
        enemy.x = x;
        enemy.y = y;
        enemy.drawnX = (x - 1) * CellSize;
        enemy.drawnY = (y - 1) * CellSize;
        enemy.dx = 2 * random(state, 2) - 1;
        enemy.dy = 2 * random(state, 2) - 1;
    }

    bool hasOpenEnemyAt(const GameState& state, int count, int x, int y)
    {
        for (int j = 0; j < count; ++j)
            if (distance(state.openEnemies[j].x, state.openEnemies[j].y, x, y) == 0)
                return true;
        return false;
    }

    // The draws reach column 0 and row 0 of the guard ring; only an open interior cell is taken.
    void placeOpenEnemies(GameState& state)
    {
        for (int i = 0; i < state.openEnemyCount; ++i) {
            int x = 0;
            int y = 0;
            do {
                x = random(state, state.W);
                y = random(state, state.H);
            } while (!isInterior(state, x, y) || state.cells[x][y] != Open
                || hasOpenEnemyAt(state, i, x, y));
            placeEnemy(state, state.openEnemies[i], x, y);
        }
    }

    bool hasFreeColumn(const std::vector<uint8_t>& taken, int first, int last)
    {
        for (int x = first; x <= last; ++x)
            if (!taken[x])
                return true;
        return false;
    }

    // Ground enemies start in the top border, in columns 8..W-9, no two in the same or neighbouring
    // columns. The game's field always has room for all of them; a field too narrow for that gets
    // as many as fit instead of drawing columns for ever.
    void placeGroundEnemies(GameState& state)
    {
        std::vector<uint8_t> taken(static_cast<std::size_t>(std::max(state.W, 0)), 0);
        int placed = 0;
        for (Enemy& enemy : state.groundEnemies) {
            if (!hasFreeColumn(taken, 8, state.W - 9))
                break;
            int x = 0;
            do
                x = random(state, state.W - 16) + 8;
            while (taken[x]);
            taken[x - 1] = taken[x] = taken[x + 1] = 1;
            placeEnemy(state, enemy, x, random(state, state.borderWidth) + 1);
            ++placed;
        }
        state.groundEnemies.resize(placed);
        state.groundEnemyCount = placed;
    }

    bool hasAliveMember(const GameState& state, int t)
    {
        for (const Player& player : state.players)
            if (player.team == t && player.alive)
                return true;
        return false;
    }

    void startTeamLevel(Game& game, int t)
    {
        GameState& state = game.state;
        Team& team = state.teams[t];
        team.levelShare = 0;
        // A team with every member out is dropped for the rest of the game
        if (team.active && !hasAliveMember(state, t)) {
            team.active = 0;
            if (game.view.hasTeamFrame(t))
                game.view.setEliminated(t);
            state.playersInPlay -= team.members;
        }
        team.activeAtLevelStart = team.active;
        if (!team.activeAtLevelStart && game.view.hasTeamFrame(t))
            game.view.hideLevelStats(t);
    }

    void startPlayerLevel(Game& game, int p)
    {
        GameState& state = game.state;
        Player& player = state.players[p];
        player.levelDeaths = 0;
        player.levelShare = 0;
        if (game.view.hasPlayerFrame(p)) {
            player.aliveAtLevelStart = player.alive;
            game.view.showLevelStats(p, player.alive != 0);
        }
        if (player.alive) {
            respawn(state, p);
            player.respawnDelay = 0;
        }
    }

    void countLevelStart(GameState& state)
    {
        state.levelStartCounts.fill(0);
        for (const Team& team : state.teams) {
            state.levelStartCounts[0] += team.members != 0;
            state.levelStartCounts[1] += team.activeAtLevelStart != 0;
        }
        for (const Player& player : state.players) {
            state.levelStartCounts[2] += player.team >= 0;
            state.levelStartCounts[3] += player.aliveAtLevelStart != 0;
        }
    }

    bool isNearOtherPlayer(const GameState& state, int p, int x, int y)
    {
        for (int q = 0; q < PlayerCount; ++q) {
            const Player& other = state.players[q];
            if (q != p && other.alive && distance(other.x, other.y, x, y) <= 1)
                return true;
        }
        return false;
    }

    // Column of slot k of the bottom row, one of `slots` evenly spaced ones
    int slotColumn(const GameState& state, int k, int slots)
    {
        return (k + 1) * state.W / (slots + 1);
    }

    bool hasFreeSlot(const GameState& state, int p, int slots)
    {
        for (int k = 0; k < slots; ++k)
            if (!isNearOtherPlayer(state, p, slotColumn(state, k, slots), state.H))
                return true;
        return false;
    }

    // The bottom-row column nearest to x away from the other players; x itself when there is none.
    int nearestFreeColumn(const GameState& state, int p, int x)
    {
        for (int d = 0; d < state.W; ++d)
            for (int column : { x - d, x + d })
                if (column >= 1 && column <= state.W
                    && !isNearOtherPlayer(state, p, column, state.H))
                    return column;
        return x;
    }

    void startGame(Game& game, int level)
    {
        resetPlayersAndTeams(game.state);
        assignTeams(game.state);
        buildKeyOwners(game.state);
        game.state.stepsPlayed = 0;
        if (game.log != nullptr)
            game.log->gameStarted(game.state);
        game.view.showLayout(false);
        setUpLevel(game, level);
    }

} // namespace

void newGame(Game& game) { startGame(game, 1); }

void newGame(Game& game, uint64_t seed, int startingLevel)
{
    game.state.rng.seed(seed);
    startGame(game, startingLevel);
}

void setUpLevel(Game& game, int n)
{
    GameState& state = game.state;
    state.level = n;
    killTimer(game);
    state.groundEnemyCount = (n + 1) / 2;
    state.openEnemyCount = n + 2;
    showLevelCaptions(game, n);
    state.groundEnemies.assign(state.groundEnemyCount, Enemy {});
    state.openEnemies.assign(state.openEnemyCount, Enemy {});
    drawBorderWidth(state);
    buildField(state);
    drawNeededShare(game, n);
    placeOpenEnemies(state);
    placeGroundEnemies(state);
    // No stale position may block the placements that follow
    for (Player& player : state.players)
        player.x = -2;
    for (int t = 0; t < PlayerCount; ++t) {
        startTeamLevel(game, t);
        startPlayerLevel(game, t);
    }
    state.levelColour = random(state, 7);
    countLevelStart(state);
    game.view.paintNewField();
    game.view.drawSprites(false);
    game.view.updateScores();
    state.ticksToStep = 0;
    state.paused = 0;
    game.view.setMessageVisible(false);
    state.speedCheckCountdown = 15;
    armTimer(game);
    if (game.log != nullptr)
        game.log->checkpoint(state, CheckKind::LevelSetUp);
}

void buildField(GameState& state)
{
    const int W = state.W;
    const int H = state.H;
    const int b = state.borderWidth;
    state.fillGuardRing();
    for (int x = 1; x <= W; ++x)
        for (int k = 1; k <= b; ++k)
            state.cells[x][k] = state.cells[x][H + 1 - k] = Ground;
    for (int y = 1; y <= H; ++y)
        for (int k = 1; k <= b; ++k)
            state.cells[k][y] = state.cells[W + 1 - k][y] = Ground;
    for (int x = b + 1; x <= W - b; ++x)
        for (int y = b + 1; y <= H - b; ++y)
            state.cells[x][y] = Open;
    state.trailDir.clear(1, W, 1, H);
    // The border counts toward the needed share from the start
    state.fieldShare = static_cast<double>(W + H - 2 * b) * (2 * b) / W / H;

    const int m = (W - 2 * b) / BlockSize;
    const int n = (H - 2 * b) / BlockSize;
    for (int j = 0; j <= n + 1; ++j)
        state.blockState[0][j] = state.blockState[m + 1][j] = BlockHasGround;
    for (int i = m; i >= 1; --i) {
        state.blockState[i][0] = state.blockState[i][n + 1] = BlockHasGround;
        for (int j = 1; j <= n; ++j)
            state.blockState[i][j] = AllOpen;
    }
}

void respawn(GameState& state, int p)
{
    Player& player = state.players[p];
    player.dirQueueLength = 0;
    player.killed = 0;
    player.shielded = 1;
    player.drawing = 0;
    player.y = state.H;
    // A player who respawns is in play, so at least one is; a count of 0 would leave one slot,
    // on the last column
    const int slots = std::max(state.playersInPlay, 1);
    if (hasFreeSlot(state, p, slots)) {
        do
            player.x = slotColumn(state, random(state, slots), slots);
        while (isNearOtherPlayer(state, p, player.x, player.y));
    } else {
        // More players than slots, or slots too close for a narrow field: drawing again could
        // go on for ever
        player.x = nearestFreeColumn(state, p, slotColumn(state, random(state, slots), slots));
    }
    player.drawnX = (player.x - 1) * CellSize;
    player.drawnY = (state.H - 1) * CellSize;
    player.dx = player.dy = 0;
}

} // namespace fendral
