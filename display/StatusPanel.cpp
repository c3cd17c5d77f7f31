#include "StatusPanel.h"

#include "SoundMark.h"

#include <QFontMetrics>
#include <QPushButton>

#include <algorithm>

namespace fendral {

namespace {
    using Anchor = AnchoredLabel::Anchor;
    constexpr int ReadoutRight = 229; // the right edge the share readouts line up on
    constexpr int CaptionGap = 4; // pixels kept between the enemy counts and the field share
}

StatusPanel::StatusPanel(QWidget* parent)
    : Panel(parent)
{
    m_separator = new Bevel(this, Bevel::Shape::LeftLine, QRect(0, FrameTop, 9, 61));
    m_separator->hide();

    m_levelBox = new Panel(this, false);
    m_levelBox->setGeometry(0, FrameTop, 239, 61);
    m_leftBevel = new Bevel(m_levelBox, Bevel::Shape::LeftLine, QRect(0, 0, 9, 61));
    m_rightBevel = new Bevel(m_levelBox, Bevel::Shape::RightLine, QRect(226, 0, 9, 61));

    const QFont large = sansFont(19, true);
    const QFont small = sansFont(13, true);
    m_levelLabel = new AnchoredLabel(m_levelBox, Anchor::Left, 8, 0, large);
    m_enemiesLabel = new AnchoredLabel(m_levelBox, Anchor::Left, 100, 4, small);
    m_fieldShareLabel = new AnchoredLabel(m_levelBox, Anchor::Right, ReadoutRight, 0, large);
    m_neededCaption = new AnchoredLabel(m_levelBox, Anchor::Right, ReadoutRight, 24, small);
    m_neededCaption->setCaption(QStringLiteral("Needed:"));
    m_neededShareLabel = new AnchoredLabel(m_levelBox, Anchor::Right, ReadoutRight, 39, small);
    for (AnchoredLabel* label : { m_enemiesLabel, m_fieldShareLabel })
        connect(label, &AnchoredLabel::captionChanged, this, &StatusPanel::fitEnemiesCaption);

    m_menuButton = makeButton(QStringLiteral("Menu"), 8);
    m_menuButton->setToolTip(QStringLiteral("Esc"));
    m_closeButton = makeButton(QStringLiteral("Close"), 64);
    m_purchasePanel = new Panel(m_levelBox);
    m_purchasePanel->setGeometry(120, 32, 25, 25);
    m_purchasePanel->setCaption(QStringLiteral("0"));
    // In the gap between the purchases and the needed share, where nothing else is shown
    m_soundMark = new SoundMark(m_levelBox);
    m_soundMark->move(148, 37);

    // Tests and readers find the controls by the names the game's design gives them
    const std::pair<QWidget*, const char*> designNames[] = { { m_separator, "bev" },
        { m_levelBox, "panel2" }, { m_levelLabel, "levl" }, { m_enemiesLabel, "stwl" },
        { m_fieldShareLabel, "terrainl" }, { m_neededCaption, "Label1" },
        { m_neededShareLabel, "terrainmax" }, { m_leftBevel, "bev2" }, { m_rightBevel, "Bevel1" },
        { m_menuButton, "menub" }, { m_closeButton, "Button4" }, { m_purchasePanel, "mode" } };
    for (const auto& [widget, name] : designNames)
        widget->setObjectName(QLatin1String(name));
}

void StatusPanel::fitEnemiesCaption()
{
    // The box was laid out for a narrow font; with a wider sans-serif the enemy counts of the
    // later levels, "(52; 25)", would run into a field share of 10 % or more. They are narrowed
    // just enough to end before it, and keep the font's own width whenever they fit.
    m_enemiesLabel->narrowToFit(m_fieldShareLabel->x() - CaptionGap - m_enemiesLabel->anchorX());
}

QPushButton* StatusPanel::makeButton(const QString& caption, int left)
{
    auto* button = new QPushButton(caption, m_levelBox);
    button->setGeometry(left, 32, 49, 25);
    button->setFont(sansFont(13, true)); // 10 point
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void StatusPanel::placeLevelBox()
{
    m_levelBox->move(width() - m_levelBox->width() - m_scale.logical(3), m_scale.logical(FrameTop));
}

} // namespace fendral
