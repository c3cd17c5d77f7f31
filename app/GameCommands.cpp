#include "GameCommands.h"

#include "Players.h"
#include "Tick.h"

namespace fendral {

namespace {

    constexpr int MaxPurchases = 99;

    void showPause(Game& game)
    {
        game.view.setMessage("Pause");
        game.view.setMessageVisible(true);
    }

} // namespace

void pauseGame(Game& game)
{
    if (game.state.paused != 0)
        return;
    game.state.paused = 1;
    showPause(game);
}

void continueOrPause(Game& game)
{
    GameState& state = game.state;
    if (state.gameOver != 0) {
        killTimer(game);
        game.view.showLayout(true);
        return;
    }
    state.paused = state.paused != 0 ? 0 : 1;
    if (state.paused != 0)
        game.view.setMessage("Pause");
    game.view.setMessageVisible(state.paused != 0);
}

bool steer(GameState& state, int key)
{
    if (key < 0 || key > 255 || state.keyOwner[key] == 0 || state.paused != 0)
        return false;
    const int v = state.keyOwner[key] - 1;
    Player& player = state.players[v / 4];
    // A request during the respawn delay is swallowed, so the key does nothing else either
    if (player.respawnDelay == 0)
        requestDirection(player, v % 4);
    return true;
}

void buyLives(Game& game)
{
    GameState& state = game.state;
    if (state.cheatCount == MaxPurchases || state.gameOver != 0)
        return;
    for (const Player& player : state.players)
        if (player.alive != 0)
            addLivesTakingBack(state.teams[player.team], 1.0);
    for (int t = 0; t < TeamCount; ++t)
        if (state.teams[t].active != 0)
            reviveOutPlayers(game, t, true);
    ++state.cheatCount;
    game.view.updateScores();
}

} // namespace fendral
