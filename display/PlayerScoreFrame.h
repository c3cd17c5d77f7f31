// The score frame of one player: colour, name, total and level share, deaths
#pragma once

#include "ScoreText.h"

#include <QFrame>

namespace fendral {

class AnchoredLabel;
class ColourShape;
struct GameState;

class PlayerScoreFrame : public QFrame {
    Q_OBJECT
public:
    static constexpr int FrameWidth = 121;
    static constexpr int FrameHeight = 63;

    explicit PlayerScoreFrame(QWidget* parent);

    void updateFrame(const GameState& state, int p, const LeaderFlags& flags);
    // The name turns grey while the player is out of play.
    void setOut(bool out);
    void showLevelStats(bool show);

    ColourShape* colourShape() const { return m_colourShape; }
    AnchoredLabel* nameLabel() const { return m_nameLabel; }
    AnchoredLabel* totalShareLabel() const { return m_totalShareLabel; }
    AnchoredLabel* deathsLabel() const { return m_deathsLabel; }
    AnchoredLabel* levelShareLabel() const { return m_levelShareLabel; }
    AnchoredLabel* levelShareClose() const { return m_levelShareClose; }
    AnchoredLabel* levelDeathsLabel() const { return m_levelDeathsLabel; }
    AnchoredLabel* levelDeathsClose() const { return m_levelDeathsClose; }

private:
    ColourShape* m_colourShape;
    AnchoredLabel* m_nameLabel;
    AnchoredLabel* m_totalShareLabel;
    AnchoredLabel* m_deathsLabel;
    AnchoredLabel* m_levelShareLabel;
    AnchoredLabel* m_levelShareClose;
    AnchoredLabel* m_levelDeathsLabel;
    AnchoredLabel* m_levelDeathsClose;
};

} // namespace fendral
