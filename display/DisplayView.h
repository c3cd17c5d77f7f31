// The engine's view on Qt: the field renderer, the status panel, the score frames and the layouts
#pragma once

#include "GameView.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace fendral {

class FieldRenderer;
class Panel;
class StatusPanel;
class PlayerScoreFrame;
class TeamScoreFrame;

// The window's widgets that a switch of layout shows or hides besides the status panel.
struct LayoutWidgets {
    QWidget* window; // receives the keyboard once a layout is shown
    QWidget* menuPanel;
    QWidget* versionLabel;
    QWidget* creditLabel;
    Panel* messagePanel;
};

class DisplayView : public GameView {
public:
    DisplayView(GameState& state, FieldRenderer& renderer, StatusPanel& panel,
        const LayoutWidgets& widgets);
    ~DisplayView() override;

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
    void updateScores() override;
    void showLayout(bool menuMode) override;

    bool hasPlayerFrame(int p) const override { return m_playerFrames[p] != nullptr; }
    bool hasTeamFrame(int t) const override { return m_teamFrames[t] != nullptr; }
    void setOut(int p, bool out) override;
    void showLevelStats(int p, bool show) override;
    void setEliminated(int t) override;
    void hideLevelStats(int t) override;
    void gameEvent(const GameEvent& event) override;

    // Hears every game event from now on, in the order the game tells them.
    using GameEventListener = std::function<void(const GameEvent&)>;
    void addGameEventListener(GameEventListener listener);

    PlayerScoreFrame* playerFrame(int p) const { return m_playerFrames[p].get(); }
    TeamScoreFrame* teamFrame(int t) const { return m_teamFrames[t].get(); }
    // Deletes every score frame and empties the slots.
    void destroyFrames();
    // Lays the score frames of a game out again at the status panel's scale.
    void placeFramesAgain();

private:
    void createFrames();
    void placeFrames();

    GameState& m_state;
    FieldRenderer& m_renderer;
    StatusPanel& m_statusPanel;
    LayoutWidgets m_widgets;
    std::array<std::unique_ptr<PlayerScoreFrame>, PlayerCount> m_playerFrames;
    std::array<std::unique_ptr<TeamScoreFrame>, TeamCount> m_teamFrames;
    std::vector<GameEventListener> m_gameEventListeners;
};

} // namespace fendral
