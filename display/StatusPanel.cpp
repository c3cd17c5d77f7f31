#include "StatusPanel.h"

#include <QPushButton>

namespace fendral {

namespace {
    using Anchor = AnchoredLabel::Anchor;
    constexpr int ReadoutRight = 229; // the right edge the share readouts line up on
}

StatusPanel::StatusPanel(QWidget* parent)
    : Panel(parent)
{
    m_bev = new Bevel(this, Bevel::Shape::LeftLine, QRect(0, FrameTop, 9, 61));
    m_bev->hide();

    m_panel2 = new Panel(this, false);
    m_panel2->setGeometry(0, FrameTop, 239, 61);
    m_bev2 = new Bevel(m_panel2, Bevel::Shape::LeftLine, QRect(0, 0, 9, 61));
    m_Bevel1 = new Bevel(m_panel2, Bevel::Shape::RightLine, QRect(226, 0, 9, 61));

    const QFont large = sansFont(19, true);
    const QFont small = sansFont(13, true);
    m_levl = new AnchoredLabel(m_panel2, Anchor::Left, 8, 0, large);
    m_stwl = new AnchoredLabel(m_panel2, Anchor::Left, 100, 4, small);
    m_terrainl = new AnchoredLabel(m_panel2, Anchor::Right, ReadoutRight, 0, large);
    m_Label1 = new AnchoredLabel(m_panel2, Anchor::Right, ReadoutRight, 24, small);
    m_Label1->setCaption(QStringLiteral("Needed:"));
    m_terrainmax = new AnchoredLabel(m_panel2, Anchor::Right, ReadoutRight, 39, small);

    m_menub = makeButton(QStringLiteral("Menu"), 8);
    m_menub->setToolTip(QStringLiteral("Esc"));
    m_Button4 = makeButton(QStringLiteral("Close"), 64);
    m_mode = new Panel(m_panel2);
    m_mode->setGeometry(120, 32, 25, 25);
    m_mode->setCaption(QStringLiteral("0"));
}

QPushButton* StatusPanel::makeButton(const QString& caption, int left)
{
    auto* button = new QPushButton(caption, m_panel2);
    button->setGeometry(left, 32, 49, 25);
    button->setFont(sansFont(13, true)); // 10 point
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void StatusPanel::placePanel2() { m_panel2->move(width() - m_panel2->width() - 3, FrameTop); }

} // namespace fendral
