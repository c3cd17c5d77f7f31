// The score frame of one team: name, lives, total and level share
#pragma once

#include "ScoreText.h"

#include <QFrame>

namespace fendral {

class AnchoredLabel;
class Bevel;
struct GameState;

class TeamScoreFrame : public QFrame {
    Q_OBJECT
public:
    static constexpr int FrameWidth = 121;
    static constexpr int NarrowWidth = 73; // a team of one player: its shares show on the player
    static constexpr int FrameHeight = 63;

    explicit TeamScoreFrame(QWidget* parent);

    void updateFrame(const GameState& state, int t, const LeaderFlags& flags);
    // Name and lives turn grey for a team that dropped out of the game.
    void setEliminated();
    void hideLevelStats();
    // Hides the shares and narrows the frame, for a team of one player.
    void makeNarrow();

    Bevel* separator() const { return m_separator; }
    AnchoredLabel* nameLabel() const { return m_nameLabel; }
    AnchoredLabel* livesLabel() const { return m_livesLabel; }
    AnchoredLabel* livesFractionLabel() const { return m_livesFractionLabel; }
    AnchoredLabel* totalShareLabel() const { return m_totalShareLabel; }
    AnchoredLabel* levelShareLabel() const { return m_levelShareLabel; }
    AnchoredLabel* levelShareClose() const { return m_levelShareClose; }

private:
    Bevel* m_separator;
    AnchoredLabel* m_nameLabel;
    AnchoredLabel* m_livesLabel;
    AnchoredLabel* m_livesFractionLabel;
    AnchoredLabel* m_totalShareLabel;
    AnchoredLabel* m_levelShareLabel;
    AnchoredLabel* m_levelShareClose;
};

} // namespace fendral
