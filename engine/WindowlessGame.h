// A game without a window: a view that shows nothing and a system whose clock stands still, for
// playing replays as fast as the machine goes
#pragma once

#include "Game.h"

namespace fendral {

class NullView : public GameView {
public:
    explicit NullView(GameState& state)
        : m_state(state)
    {
    }

    void setBackBufferPixel(int, int, Colour) override { }
    void setCellColour(int, int, Colour) override { }
    void paintCell(int, int, Colour) override { }
    void refreshCell(int, int) override { }
    void fillBlock(int, int, Colour) override { }
    void paintNewField() override { }
    void drawSprites(bool) override { }
    void setLevelCaptions(const std::string&, const std::string&) override { }
    void setNeededShare(double) override { }
    void setMessage(const std::string&) override { }
    void setMessageVisible(bool) override { }
    void updateScores() override { }
    // What the window's layout switch does to the game: it ends a pause, a game over and the
    // purchases, and gives each player in the game a score frame (a player's record at a level's
    // start is kept in its frame)
    void showLayout(bool menuMode) override
    {
        m_state.menuMode = menuMode ? 1 : 0;
        m_state.cheatCount = m_state.paused = m_state.gameOver = 0;
        for (int p = 0; p < PlayerCount; ++p)
            m_hasFrame[p] = !menuMode && m_state.players[p].alive != 0;
    }
    bool hasPlayerFrame(int p) const override { return m_hasFrame[p]; }
    bool hasTeamFrame(int) const override { return false; }
    void setOut(int, bool) override { }
    void showLevelStats(int, bool) override { }
    void setEliminated(int) override { }
    void hideLevelStats(int) override { }

private:
    GameState& m_state;
    std::array<bool, PlayerCount> m_hasFrame {};
};

// A clock that never moves: the speed check finds every step on time
class StillPlatform : public Platform {
public:
    int setTimer(int) override { return 1; }
    void killTimer(int) override { }
    double now() const override { return 0; }
};

struct WindowlessGame {
    GameState state;
    NullView view { state };
    StillPlatform platform;
    Game game { state, view, platform };
};

} // namespace fendral
