// A screen and a system for engine tests: the cells painted in each colour, the messages and
// layouts shown, the events heard, timers that never fire by themselves and a clock the test sets;
// and a game on them
#pragma once

#include "Level.h"
#include "Tick.h"
#include "WindowlessGame.h"

#include <array>
#include <functional>
#include <map>

namespace fendral {

struct FakeView : NullView {
    explicit FakeView(GameState& state)
        : NullView(state)
        , state(state)
    {
    }
    void setCellColour(int, int, Colour colour) override { ++painted[colour]; }
    void paintCell(int, int, Colour colour) override { ++painted[colour]; }
    void fillBlock(int, int, Colour colour) override { painted[colour] += BlockSize * BlockSize; }
    void drawSprites(bool advance) override
    {
        if (advance)
            whenDrawn();
    }
    void setMessage(const std::string& text) override { calls.push_back(text); }
    // As the window's status panel does, a switch of layout also ends any pause and purchases
    void showLayout(bool menuMode) override
    {
        state.menuMode = menuMode;
        state.cheatCount = state.paused = state.gameOver = 0;
        calls.push_back(menuMode ? "menu" : "game");
    }
    void gameEvent(const GameEvent& e) override
    {
        ++heard[e.kind][e.player + 1], heardShare[e.kind] += e.share;
    }
    bool hasPlayerFrame(int) const override { return true; }
    bool hasTeamFrame(int) const override { return true; }

    GameState& state;
    std::map<Colour, long long> painted; // how many cells were painted in each colour
    std::vector<std::string> calls; // the messages and layouts shown, in order
    std::function<void()> whenDrawn = [] {}; // runs after the sprite redraw of every tick
    // The events heard, by kind: how many for the whole game and for each player, and their shares
    std::array<std::array<int, PlayerCount + 1>, GameEvent::KindCount> heard {};
    std::array<double, GameEvent::KindCount> heardShare {};
};

struct FakePlatform : Platform {
    int setTimer(int intervalMs) override
    {
        return intervals.push_back(intervalMs), int(intervals.size());
    }
    void killTimer(int timerId) override { killed.push_back(timerId); }
    double now() const override { return clock; }

    double clock = 46000.0; // fractional days
    std::vector<int> intervals; // of every timer started, in order; timer n has identifier n
    std::vector<int> killed;
};

// A game on a fake screen and a fake system
struct TestGame {
    // Starts a new game on the window's 128 x 81 field with these {player, team} pairs.
    void start(std::initializer_list<std::pair<int, int>> playerTeams)
    {
        state = GameState {};
        view.whenDrawn = [] {};
        state.allocateGrids(128, 81);
        for (auto [p, t] : playerTeams)
            state.teamAssignment[t][p] = 1;
        newGame(game);
    }

    GameState state;
    FakeView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
};

} // namespace fendral
