// A screen for engine tests: an in-memory BackBuffer and window cells, and a record of the calls
#pragma once

#include "GameView.h"

#include <array>
#include <string>
#include <vector>

namespace fendral {

class FakeView : public GameView {
public:
    explicit FakeView(GameState& state);

    Colour backBufferPixel(int x, int y) const
    {
        ensureSize();
        return m_backBuffer[index(x, y)];
    }
    Colour windowCell(int x, int y) const
    {
        ensureSize();
        return m_window[index(x, y)];
    }
    int count(const std::string& call) const; // how many times a call was made

    void setBackBufferPixel(int x, int y, Colour colour) override;
    void setCellColour(int x, int y, Colour colour) override;
    void paintCell(int x, int y, Colour colour) override;
    void refreshCell(int x, int y) override;
    void fillBlock(int x0, int y0, Colour colour) override;
    void paintNewField() override;
    void drawSprites(bool advance) override;

    void setLevelCaptions(const std::string& level, const std::string& enemies) override;
    void setNeededShare(double share) override;
    void setMessage(const std::string& text) override;
    void setMessageVisible(bool visible) override;
    void UpdateScores() override;
    void ShowLayout(bool menuMode) override;

    bool hasPlayerFrame(int p) const override { return playerFrame[p]; }
    bool hasTeamFrame(int t) const override { return teamFrame[t]; }
    void SetOut(int p, bool out) override;
    void ShowLevelStats(int p, bool show) override;
    void SetEliminated(int t) override;
    void HideLevelStats(int t) override;

    std::vector<std::string> calls;
    std::string levelCaption;
    std::string enemyCaption;
    double neededShare = -1;
    std::string message;
    bool messageVisible = false;
    std::array<bool, PlayerCount> playerFrame {};
    std::array<bool, TeamCount> teamFrame {};
    std::array<bool, PlayerCount> playerOut {};
    std::array<bool, PlayerCount> levelStatsShown {};
    std::array<bool, TeamCount> teamEliminated {};
    std::array<bool, TeamCount> teamLevelStatsHidden {};

private:
    int index(int x, int y) const { return y * (m_state.W + 1) + x; }
    void ensureSize() const; // the grids may be allocated after the view is made

    GameState& m_state;
    mutable std::vector<Colour> m_backBuffer;
    mutable std::vector<Colour> m_window;
};

} // namespace fendral
