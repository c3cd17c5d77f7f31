#include "GameCommands.h"

#include "Players.h"
#include "Tick.h"

namespace fendral {

namespace {

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
    game.view.gameEvent({ GameEvent::Paused });
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
    game.view.gameEvent({ state.paused != 0 ? GameEvent::Paused : GameEvent::Continued });
}

bool steer(Game& game, int key)
{
    const GameState& state = game.state;
    if (key < 0 || key > 255 || state.keyOwner[key] == 0)
        return false;
    const int v = state.keyOwner[key] - 1;
    return steerPlayer(game, v / 4, v % 4);
}

bool steerByPad(Game& game, int slot, int direction)
{
    const GameState& state = game.state;
    if (state.menuMode != 0 || slot == NoPad || direction < Up || direction > Right)
        return false;
    for (int p = 0; p < PlayerCount; ++p) {
        const Player& player = state.players[p];
        if (state.padSlot[p] == slot && state.computer[p] == Person)
            return player.team >= 0 && player.alive != 0 && steerPlayer(game, p, direction);
    }
    return false;
}

} // namespace fendral
