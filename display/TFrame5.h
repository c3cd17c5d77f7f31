// The score frame of one team: name, lives, total and level share
#pragma once

#include "ScoreText.h"

#include <QFrame>

namespace fendral {

class AnchoredLabel;
class Bevel;
struct GameState;

class TFrame5 : public QFrame {
    Q_OBJECT
public:
    static constexpr int FrameWidth = 121;
    static constexpr int NarrowWidth = 73; // a team of one player: its shares show on the player
    static constexpr int FrameHeight = 63;

    explicit TFrame5(QWidget* parent);

    void updateFrame(const GameState& state, int t, const LeaderFlags& flags);
    // Name and lives turn grey for a team that dropped out of the game.
    void setEliminated();
    void hideLevelStats();
    // Hides the shares and narrows the frame, for a team of one player.
    void makeNarrow();

    Bevel* bev() const { return m_bev; }
    AnchoredLabel* namer() const { return m_namer; }
    AnchoredLabel* liv() const { return m_liv; }
    AnchoredLabel* livf() const { return m_livf; }
    AnchoredLabel* sct() const { return m_sct; }
    AnchoredLabel* scc() const { return m_scc; }
    AnchoredLabel* par() const { return m_par; }

private:
    Bevel* m_bev;
    AnchoredLabel* m_namer;
    AnchoredLabel* m_liv;
    AnchoredLabel* m_livf;
    AnchoredLabel* m_sct;
    AnchoredLabel* m_scc;
    AnchoredLabel* m_par;
};

} // namespace fendral
