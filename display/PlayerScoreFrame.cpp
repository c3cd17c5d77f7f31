#include "PlayerScoreFrame.h"

#include "GameState.h"
#include "QtColour.h"
#include "Widgets.h"

namespace fendral {

namespace {
    using Anchor = AnchoredLabel::Anchor;
}

PlayerScoreFrame::PlayerScoreFrame(QWidget* parent)
    : QFrame(parent)
{
    resize(FrameWidth, FrameHeight);
    const QFont font = sansFont(13, true);
    m_colourShape = new ColourShape(this, QRect(16, 6, 17, 17));
    m_nameLabel = new AnchoredLabel(this, Anchor::Left, 40, 6, font);
    m_totalShareLabel = new AnchoredLabel(this, Anchor::Right, 65, 24, font);
    m_deathsLabel = new AnchoredLabel(this, Anchor::Right, 105, 24, font);
    m_levelShareLabel = new AnchoredLabel(this, Anchor::Right, 65, 40, font);
    m_levelShareClose = new AnchoredLabel(this, Anchor::Left, 65, 40, font);
    m_levelDeathsLabel = new AnchoredLabel(this, Anchor::Right, 105, 40, font);
    m_levelDeathsClose = new AnchoredLabel(this, Anchor::Left, 105, 40, font);
    m_levelShareClose->setCaption(QStringLiteral(")"));
    m_levelDeathsClose->setCaption(QStringLiteral(")"));
}

void PlayerScoreFrame::updateFrame(const GameState& state, int p, const LeaderFlags& flags)
{
    const Player& player = state.players[p];
    m_colourShape->setFill(qtColour(player.colour));
    m_nameLabel->setCaption(QString::fromLatin1(playerNames[p].data(), playerNames[p].size()));
    m_deathsLabel->setCaption(QString::number(-player.deaths));
    m_levelDeathsLabel->setCaption(QLatin1Char('(') + QString::number(-player.levelDeaths));
    m_totalShareLabel->setCaption(formatPercent(player.totalShare));
    m_levelShareLabel->setCaption(QLatin1Char('(') + formatPercent(player.levelShare));

    // A player alone in a team shows the team's leads here, the team frame having no shares
    QColor total = ScoreColours::black;
    QColor level = ScoreColours::black;
    if (player.team >= 0 && state.teams[player.team].members == 1) {
        if (flags[player.team][0])
            total = ScoreColours::navy;
        if (flags[player.team][1])
            level = ScoreColours::navy;
    }
    if (flags[p][2])
        total = withGreen(total);
    if (flags[p][3])
        level = withGreen(level);
    m_totalShareLabel->setColour(total);
    m_levelShareLabel->setColour(level);
    m_levelShareClose->setColour(level);
}

void PlayerScoreFrame::setOut(bool out)
{
    m_nameLabel->setColour(out ? ScoreColours::grey : ScoreColours::black);
}

void PlayerScoreFrame::showLevelStats(bool show)
{
    m_levelShareLabel->setVisible(show);
    m_levelShareClose->setVisible(show);
    m_levelDeathsLabel->setVisible(show);
    m_levelDeathsClose->setVisible(show);
}

} // namespace fendral
