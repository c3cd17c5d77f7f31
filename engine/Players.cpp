#include "Players.h"

#include "Capture.h"
#include "Level.h"

namespace fendral {

namespace {

    // The trailDir code of a velocity: the direction code of the step that leaves the cell.
    int directionCode(int dx, int dy)
    {
        if (dy == 1)
            return Down;
        if (dx == -1)
            return Left;
        if (dx == 1)
            return Right;
        return Up;
    }

    // Visits the trail of player p in the order it was laid, calling visit(x, y) on each cell, and
    // leaves trailLength at -1 and trailDir cleared behind it.
    template <typename Visit> void walkTrail(GameState& state, Player& player, Visit visit)
    {
        int x = player.trailStartX;
        int y = player.trailStartY;
        while (--player.trailLength >= 0) {
            visit(x, y);
            const Step step = directionStep(state.trailDir[x][y]);
            state.trailDir[x][y] = 0;
            x += step.dx;
            y += step.dy;
        }
    }

    void eraseTrail(Game& game, int p)
    {
        GameState& state = game.state;
        walkTrail(state, state.players[p], [&](int x, int y) {
            state.cells[x][y] = Open;
            game.view.setCellColour(x, y, state.palette().openColour);
            const BlockIndex block = blockOf(state, x, y);
            state.blockState[block.bx][block.by] &= static_cast<uint8_t>(~(1 << p));
        });
    }

    void layTrailCell(Game& game, int p)
    {
        GameState& state = game.state;
        Player& player = state.players[p];
        const int x = player.x;
        const int y = player.y;
        state.cells[x][y] = static_cast<uint8_t>(TrailBase + p);
        // Only the BackBuffer: the window shows the cell once the cursor has moved off it
        game.view.setBackBufferPixel(x, y, trailColour(state, player.colour));
        state.trailDir[x][y] = static_cast<uint8_t>(directionCode(player.dx, player.dy));
        ++player.trailLength;
        const BlockIndex block = blockOf(state, x, y);
        state.blockState[block.bx][block.by] |= static_cast<uint8_t>(1 << p);
    }

    // Applies the first queued request, or halts a player whose trail closed in the previous step.
    void takeRequest(Player& player)
    {
        if (player.dirQueueLength == 0) {
            if (player.closedTrail)
                player.dx = player.dy = 0;
            return;
        }
        const Step step = directionStep(player.dirQueue[0]);
        player.dirQueue[0] = player.dirQueue[1];
        --player.dirQueueLength;
        // A drawing player cannot turn back onto its own trail
        if (!player.drawing || player.dx + step.dx != 0 || player.dy + step.dy != 0) {
            player.dx = step.dx;
            player.dy = step.dy;
        }
    }

    void movePlayer(Game& game, int p)
    {
        GameState& state = game.state;
        Player& player = state.players[p];
        if (player.respawnDelay > 0)
            --player.respawnDelay;
        if (player.dx != 0 || player.dy != 0)
            player.shielded = 0;
        takeRequest(player);
        if (player.drawing)
            layTrailCell(game, p);
        if (state.cells[player.x + player.dx][player.y + player.dy] == Outside) {
            player.dx = player.dy = 0;
            return;
        }
        player.x += player.dx;
        player.y += player.dy;
    }

    void clearWorkGrids(GameState& state)
    {
        state.marks.clear(1, state.W, 1, state.H);
        state.blockMarks.clear(0, state.W / BlockSize + 1, 1, state.H / BlockSize);
    }

    void closeTrail(Game& game, int p)
    {
        GameState& state = game.state;
        Player& player = state.players[p];
        state.changed = 1;
        player.closedTrail = 1;
        player.drawing = 0;
        // The trail's own cells count as captured
        credit(state, p, static_cast<double>(player.trailLength) / state.W / state.H);
        const auto seed = static_cast<uint16_t>(1 << p);
        walkTrail(state, player, [&](int x, int y) {
            state.cells[x][y] = Ground;
            const BlockIndex block = blockOf(state, x, y);
            state.blockState[block.bx][block.by] = BlockHasGround;
            game.view.setCellColour(x, y, tintColour(state, player.colour));
            state.marks[x - 1][y] |= seed;
            state.marks[x + 1][y] |= seed;
            state.marks[x][y - 1] |= seed;
            state.marks[x][y + 1] |= seed;
        });
    }

    bool closesNow(const GameState& state, int p)
    {
        const Player& player = state.players[p];
        return isInPlay(player) && player.drawing && !state.dies[p]
            && state.cells[player.x][player.y] == Ground;
    }

    // One pass of closures: scans the players again and again until a whole scan closes nothing,
    // since a closure can turn the cell under another drawing player into ground. Returns whether
    // any trail closed.
    bool closurePass(Game& game)
    {
        bool closedAny = false;
        bool scanClosed = true;
        while (scanClosed) {
            scanClosed = false;
            for (int p = 0; p < PlayerCount; ++p) {
                if (!closesNow(game.state, p))
                    continue;
                if (!closedAny)
                    clearWorkGrids(game.state);
                closedAny = scanClosed = true;
                closeTrail(game, p);
            }
        }
        return closedAny;
    }

    void killPlayer(Game& game, int p)
    {
        GameState& state = game.state;
        Player& player = state.players[p];
        state.changed = 1;
        if (player.drawing)
            eraseTrail(game, p);
        game.view.refreshCell(player.x, player.y);
        respawn(state, p);
        player.respawnDelay = 6;
        ++player.levelDeaths;
        ++player.deaths;
        game.view.gameEvent({ GameEvent::PlayerDied, p });
        Team& team = state.teams[player.team];
        if (team.lives < 1.0) {
            player.alive = 0;
            if (game.view.hasPlayerFrame(p))
                game.view.setOut(p, true);
            team.outList[team.outCount++] = p;
        } else {
            state.teamLostLife[player.team] = 1;
        }
    }

} // namespace

void requestDirection(Player& player, int d)
{
    if (player.dirQueueLength == 0) {
        player.dirQueue[0] = d;
        player.dirQueueLength = 1;
    } else {
        player.dirQueue[1] = d;
        player.dirQueueLength = 2;
    }
}

bool steerPlayer(Game& game, int p, int direction)
{
    GameState& state = game.state;
    if (state.paused != 0)
        return false;
    Player& player = state.players[p];
    // A request during the respawn delay is swallowed, so the press does nothing else either
    if (player.respawnDelay != 0)
        return true;
    if (game.log != nullptr)
        game.log->commandTaken(state,
            { CommandKind::Direction, static_cast<uint8_t>(p), static_cast<uint8_t>(direction) });
    requestDirection(player, direction);
    return true;
}

void movePhase(Game& game)
{
    for (int p = 0; p < PlayerCount; ++p)
        if (isInPlay(game.state.players[p]) && !game.state.dies[p])
            movePlayer(game, p);
}

void erasePhase(Game& game)
{
    for (int p = 0; p < PlayerCount; ++p) {
        Player& player = game.state.players[p];
        if (game.state.dies[p] && isInPlay(player) && player.drawing) {
            eraseTrail(game, p);
            player.drawing = 0;
        }
    }
}

void closePhase(Game& game)
{
    GameState& state = game.state;
    for (Player& player : state.players)
        player.closedTrail = 0;
    const double shareBefore = state.fieldShare;
    bool closedAny = false;
    while (closurePass(game)) {
        capture(game);
        closedAny = true;
    }
    if (closedAny)
        game.view.gameEvent({ GameEvent::TrailClosed, -1, state.fieldShare - shareBefore });
}

void startTrailPhase(Game& game)
{
    GameState& state = game.state;
    for (int p = 0; p < PlayerCount; ++p) {
        Player& player = state.players[p];
        if (!isInPlay(player) || player.drawing || state.cells[player.x][player.y] != Open)
            continue;
        player.drawing = 1;
        player.trailStartX = player.x;
        player.trailStartY = player.y;
        player.trailLength = 0;
        game.view.gameEvent({ GameEvent::LeftGround, p });
    }
}

void hazardPhase(GameState& state)
{
    for (int p = 0; p < PlayerCount; ++p) {
        Player& player = state.players[p];
        if (!isInPlay(player) || player.shielded)
            continue;
        if (isTrail(state.cells[player.x][player.y]))
            player.killed = 1;
        for (int q = 0; q < p; ++q) {
            Player& other = state.players[q];
            // Two players on the ground, or two in the open, collide; one of each pass
            if (isInPlay(other) && !other.shielded && other.drawing == player.drawing
                && distance(other.x, other.y, player.x, player.y) <= 1)
                player.killed = other.killed = 1;
        }
    }
}

void deathPhase(Game& game)
{
    // A mark on a player who is not in play has no trail, team or slot to act on
    for (int p = 0; p < PlayerCount; ++p)
        if (game.state.dies[p] && isInPlay(game.state.players[p]))
            killPlayer(game, p);
}

Colour trailColour(const GameState& state, Colour c)
{
    // Dropping the low bit of green and blue first keeps each channel from carrying into the next
    return ((state.palette().openColour & 0xFEFEFF) + (c & 0xFEFEFF)) >> 1;
}

} // namespace fendral
