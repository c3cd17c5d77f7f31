// The status panel along the bottom of the window: level, enemies, shares and the game buttons
#pragma once

#include "ScreenScale.h"
#include "Widgets.h"

class QPushButton;

namespace fendral {

class SoundMark;

class StatusPanel : public Panel {
    Q_OBJECT
public:
    static constexpr int PanelHeight = 73;
    static constexpr int FrameTop = 6; // top of the score frames and of the separator after them

    explicit StatusPanel(QWidget* parent);

    // Puts the level box at the right end of the panel.
    void placeLevelBox();

    // The scale the panel and the score frames in it are laid out at.
    const Scale& scale() const { return m_scale; }
    void setScale(const Scale& scale) { m_scale = scale; }

    Bevel* separator() const { return m_separator; }
    Panel* levelBox() const { return m_levelBox; }
    AnchoredLabel* levelLabel() const { return m_levelLabel; }
    AnchoredLabel* enemiesLabel() const { return m_enemiesLabel; }
    AnchoredLabel* fieldShareLabel() const { return m_fieldShareLabel; }
    AnchoredLabel* neededCaption() const { return m_neededCaption; }
    AnchoredLabel* neededShareLabel() const { return m_neededShareLabel; }
    QPushButton* menuButton() const { return m_menuButton; }
    QPushButton* closeButton() const { return m_closeButton; }
    Panel* purchasePanel() const { return m_purchasePanel; }
    SoundMark* soundMark() const { return m_soundMark; }

private:
    QPushButton* makeButton(const QString& caption, int left);
    void fitEnemiesCaption();

    Scale m_scale;

    Bevel* m_separator;
    Panel* m_levelBox;
    AnchoredLabel* m_levelLabel;
    AnchoredLabel* m_enemiesLabel;
    AnchoredLabel* m_fieldShareLabel;
    AnchoredLabel* m_neededCaption;
    AnchoredLabel* m_neededShareLabel;
    Bevel* m_leftBevel;
    Bevel* m_rightBevel;
    QPushButton* m_menuButton;
    QPushButton* m_closeButton;
    Panel* m_purchasePanel;
    SoundMark* m_soundMark;
};

} // namespace fendral
