// A screen for engine tests: the colour last painted on each cell, a record of the calls, and a
// game wired to it
#pragma once

#include "FakePlatform.h"
#include "Level.h"
#include "Tick.h"

#include <functional>

namespace fendral {

class FakeView : public GameView {
public:
    explicit FakeView(GameState& state)
        : m_state(state)
    {
    }

    Colour& cell(int x, int y); // 0 until painted

    void setBackBufferPixel(int, int, Colour) override { }
    void setCellColour(int x, int y, Colour colour) override { cell(x, y) = colour; }
    void paintCell(int x, int y, Colour colour) override { cell(x, y) = colour; }
    void refreshCell(int x, int y) override { refreshed.emplace_back(x, y); }
    void fillBlock(int x0, int y0, Colour colour) override
    {
        for (int i = 0; i < BlockSize * BlockSize; ++i)
            cell(x0 + i / BlockSize, y0 + i % BlockSize) = colour;
    }
    void paintNewField() override { m_cells.clear(); }
    void drawSprites(bool) override { whenDrawn(); }

    void setLevelCaptions(const std::string& level, const std::string& enemies) override
    {
        calls.push_back(level + " " + enemies);
    }
    void setNeededShare(double) override { }
    void setMessage(const std::string& text) override { calls.push_back(text); }
    void setMessageVisible(bool) override { }
    void updateScores() override { }
    // As the window's status panel does, a switch of layout also ends any pause and purchases
    void showLayout(bool menuMode) override
    {
        m_state.menuMode = menuMode;
        m_state.cheatCount = m_state.paused = m_state.gameOver = 0;
        calls.push_back(menuMode ? "menu" : "game");
    }

    bool hasPlayerFrame(int) const override { return true; }
    bool hasTeamFrame(int) const override { return true; }
    void setOut(int, bool) override { }
    void showLevelStats(int, bool) override { }
    void setEliminated(int) override { }
    void hideLevelStats(int) override { }

    std::vector<std::string> calls; // the captions, messages and layouts shown, in order
    std::vector<std::pair<int, int>> refreshed; // the cells repainted from the BackBuffer
    std::function<void()> whenDrawn = [] {}; // runs after every sprite redraw

protected:
    GameState& m_state;

private:
    std::vector<Colour> m_cells;
};

// A game on a fake screen and a fake system
struct TestGame {
    using PlayerTeams = std::initializer_list<std::pair<int, int>>;

    // Starts a new game on the window's 128 x 81 field with these {player, team} pairs.
    void start(PlayerTeams playerTeams)
    {
        state = GameState {};
        view.whenDrawn = [] {};
        state.allocateGrids(128, 81);
        startAgain(playerTeams);
    }

    // Starts a new game on the same state, as the window does after a return to the menu.
    void startAgain(PlayerTeams playerTeams)
    {
        state.teamAssignment = {};
        for (auto [p, t] : playerTeams)
            state.teamAssignment[t][p] = 1;
        newGame(game);
    }

    // Leaves the game for the menu as the window's Menu command does.
    void returnToMenu()
    {
        state.paused = 1;
        killTimer(game);
        view.showLayout(true);
    }

    GameState state;
    FakeView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
};

} // namespace fendral
