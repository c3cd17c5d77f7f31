// What the engine asks of the screen: cell colours, sprites, the status panel and its frames
#pragma once

#include "GameState.h"

#include <string>

namespace fendral {

// Something that just happened in the game, told to the view at the moment it happens
struct GameEvent {
    enum Kind {
        LeftGround, // a player left the ground and lays a trail
        TrailClosed, // trails closed in a step; share: the part of the field they took
        RegionCaptured, // an open region became ground; share: its part of the field
        PlayerDied,
        LifeBought,
        PlayerRevived, // a player who was out is back in play
        LevelCompleted,
        GameOver,
        GameCompleted, // the last level was completed
        Paused,
        Continued,
    };
    static constexpr int KindCount = Continued + 1;

    Kind kind;
    int player = -1; // the player it happened to, -1 for the whole game
    double share = 0;
};

class GameView {
public:
    virtual ~GameView() = default;

    // The field: the BackBuffer holds one pixel per cell, the window shows each cell 8 x 8

    // Writes the BackBuffer pixel of cell (x, y) only.
    virtual void setBackBufferPixel(int x, int y, Colour colour) = 0;
    // Writes the BackBuffer pixel of cell (x, y) and paints the cell on the window.
    virtual void setCellColour(int x, int y, Colour colour) = 0;
    // Paints cell (x, y) on the window; the BackBuffer is not touched.
    virtual void paintCell(int x, int y, Colour colour) = 0;
    // Repaints cell (x, y) on the window from its BackBuffer pixel.
    virtual void refreshCell(int x, int y) = 0;
    // Fills the 10 x 10 cells from (x0, y0) on the BackBuffer and on the window.
    virtual void fillBlock(int x0, int y0, Colour colour) = 0;
    // Paints a fresh level's ground ring and open interior and shows it.
    virtual void paintNewField() = 0;
    // Erases, glides (when advance) and draws every enemy and player sprite. An enemy is erased
    // from the three cells behind it along its velocity, a player from the cell behind it: the
    // square on a sprite's own cell is left for the sprite to cover again.
    virtual void drawSprites(bool advance) = 0;

    // The status panel

    // Shows the level ("Level 7") and its enemy counts ("(9; 4)") in the status panel.
    virtual void setLevelCaptions(const std::string& level, const std::string& enemies) = 0;
    // Shows the share of the field the level needs.
    virtual void setNeededShare(double share) = 0;
    // Sets the caption of the message panel in the middle of the window.
    virtual void setMessage(const std::string& text) = 0;
    // Shows or hides the message panel.
    virtual void setMessageVisible(bool visible) = 0;
    // Recomputes the leaders and refreshes every score frame, the field share and the purchases.
    virtual void updateScores() = 0;
    // Switches between the menu layout and the game layout with fresh score frames; either ends
    // a pause and a game over and sets the purchase count back to 0.
    virtual void showLayout(bool menuMode) = 0;

    // The score frames, one slot per player and per team
    virtual bool hasPlayerFrame(int p) const = 0;
    virtual bool hasTeamFrame(int t) const = 0;
    virtual void setOut(int p, bool out) = 0;
    virtual void showLevelStats(int p, bool show) = 0;
    virtual void setEliminated(int t) = 0;
    virtual void hideLevelStats(int t) = 0;

    // What happened, for whoever follows the game besides the screen; nothing by default
    virtual void gameEvent(const GameEvent&) { }
};

} // namespace fendral
