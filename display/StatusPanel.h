// The status panel along the bottom of the window: level, enemies, shares and the game buttons
#pragma once

#include "Widgets.h"

class QPushButton;

namespace fendral {

class StatusPanel : public Panel {
    Q_OBJECT
public:
    static constexpr int PanelHeight = 73;
    static constexpr int FrameTop = 6; // top of the score frames and of `bev`

    explicit StatusPanel(QWidget* parent);

    // Puts `panel2` at the right end of the panel.
    void placePanel2();

    Bevel* bev() const { return m_bev; }
    Panel* panel2() const { return m_panel2; }
    AnchoredLabel* levl() const { return m_levl; }
    AnchoredLabel* stwl() const { return m_stwl; }
    AnchoredLabel* terrainl() const { return m_terrainl; }
    AnchoredLabel* Label1() const { return m_Label1; }
    AnchoredLabel* terrainmax() const { return m_terrainmax; }
    QPushButton* menub() const { return m_menub; }
    QPushButton* Button4() const { return m_Button4; }
    Panel* mode() const { return m_mode; }

private:
    QPushButton* makeButton(const QString& caption, int left);

    Bevel* m_bev;
    Panel* m_panel2;
    AnchoredLabel* m_levl;
    AnchoredLabel* m_stwl;
    AnchoredLabel* m_terrainl;
    AnchoredLabel* m_Label1;
    AnchoredLabel* m_terrainmax;
    Bevel* m_bev2;
    Bevel* m_Bevel1;
    QPushButton* m_menub;
    QPushButton* m_Button4;
    Panel* m_mode;
};

} // namespace fendral
