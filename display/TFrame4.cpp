#include "TFrame4.h"

#include "GameState.h"
#include "QtColour.h"
#include "Widgets.h"

namespace fendral {

namespace {
    using Anchor = AnchoredLabel::Anchor;
}

TFrame4::TFrame4(QWidget* parent)
    : QFrame(parent)
{
    resize(FrameWidth, FrameHeight);
    const QFont font = sansFont(13, true);
    m_col = new ColourShape(this, QRect(16, 6, 17, 17));
    m_namer = new AnchoredLabel(this, Anchor::Left, 40, 6, font);
    m_sct = new AnchoredLabel(this, Anchor::Right, 65, 24, font);
    m_livt = new AnchoredLabel(this, Anchor::Right, 105, 24, font);
    m_scc = new AnchoredLabel(this, Anchor::Right, 65, 40, font);
    m_par = new AnchoredLabel(this, Anchor::Left, 65, 40, font);
    m_livc = new AnchoredLabel(this, Anchor::Right, 105, 40, font);
    m_par2 = new AnchoredLabel(this, Anchor::Left, 105, 40, font);
    m_par->setCaption(QStringLiteral(")"));
    m_par2->setCaption(QStringLiteral(")"));
}

void TFrame4::updateFrame(const GameState& state, int p, const LeaderFlags& flags)
{
    const Player& player = state.players[p];
    m_col->setFill(qtColour(player.colour));
    m_namer->setCaption(QString::fromLatin1(playerNames[p].data(), playerNames[p].size()));
    m_livt->setCaption(QString::number(-player.deaths));
    m_livc->setCaption(QLatin1Char('(') + QString::number(-player.levelDeaths));
    m_sct->setCaption(formatPercent(player.totalShare));
    m_scc->setCaption(QLatin1Char('(') + formatPercent(player.levelShare));

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
    m_sct->setColour(total);
    m_scc->setColour(level);
    m_par->setColour(level);
}

void TFrame4::setOut(bool out)
{
    m_namer->setColour(out ? ScoreColours::grey : ScoreColours::black);
}

void TFrame4::showLevelStats(bool show)
{
    m_scc->setVisible(show);
    m_par->setVisible(show);
    m_livc->setVisible(show);
    m_par2->setVisible(show);
}

} // namespace fendral
