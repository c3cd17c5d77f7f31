// The score frame of one player: colour, name, total and level share, deaths
#pragma once

#include "ScoreText.h"

#include <QFrame>

namespace fendral {

class AnchoredLabel;
class ColourShape;
struct GameState;

class TFrame4 : public QFrame {
    Q_OBJECT
public:
    static constexpr int FrameWidth = 121;
    static constexpr int FrameHeight = 63;

    explicit TFrame4(QWidget* parent);

    void updateFrame(const GameState& state, int p, const LeaderFlags& flags);
    // The name turns grey while the player is out of play.
    void setOut(bool out);
    void showLevelStats(bool show);

    ColourShape* col() const { return m_col; }
    AnchoredLabel* namer() const { return m_namer; }
    AnchoredLabel* sct() const { return m_sct; }
    AnchoredLabel* livt() const { return m_livt; }
    AnchoredLabel* scc() const { return m_scc; }
    AnchoredLabel* par() const { return m_par; }
    AnchoredLabel* livc() const { return m_livc; }
    AnchoredLabel* par2() const { return m_par2; }

private:
    ColourShape* m_col;
    AnchoredLabel* m_namer;
    AnchoredLabel* m_sct;
    AnchoredLabel* m_livt;
    AnchoredLabel* m_scc;
    AnchoredLabel* m_par;
    AnchoredLabel* m_livc;
    AnchoredLabel* m_par2;
};

} // namespace fendral
