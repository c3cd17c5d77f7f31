#include "TeamScoreFrame.h"

#include "GameState.h"
#include "Widgets.h"

namespace fendral {

namespace {
    using Anchor = AnchoredLabel::Anchor;
    const QString teamLetters = QStringLiteral("WXYZ");
    constexpr int LivesRight = 33; // where the whole lives end and their fraction begins
    constexpr int BorderWidth = 2; // the frame's left line
}

TeamScoreFrame::TeamScoreFrame(QWidget* parent)
    : QFrame(parent)
{
    resize(FrameWidth, FrameHeight);
    const QFont font = sansFont(13, true);
    QFont nameFont = font;
    nameFont.setUnderline(true);
    m_separator = new Bevel(this, Bevel::Shape::LeftLine, QRect(0, 0, 9, 61));
    m_nameLabel = new AnchoredLabel(this, Anchor::Left, 8, 6, nameFont);
    m_livesLabel = new AnchoredLabel(this, Anchor::Right, LivesRight, 32, sansFont(24, true));
    m_livesFractionLabel = new AnchoredLabel(this, Anchor::Left, 32, 42, font);
    m_totalShareLabel = new AnchoredLabel(this, Anchor::Right, 113, 24, font);
    m_levelShareLabel = new AnchoredLabel(this, Anchor::Right, 113, 40, font);
    m_levelShareClose = new AnchoredLabel(this, Anchor::Left, 113, 40, font);
    m_levelShareClose->setCaption(QStringLiteral(")"));
}

void TeamScoreFrame::updateFrame(const GameState& state, int t, const LeaderFlags& flags)
{
    const Team& team = state.teams[t];
    m_nameLabel->setCaption(QStringLiteral("Team ") + teamLetters[t]);
    m_livesLabel->setCaption(livesWholeText(team.lives));
    // Two digits are wider than the room the design left them right of the frame's line
    m_livesLabel->narrowToFit(LivesRight - BorderWidth);
    m_livesFractionLabel->setCaption(livesFractionText(team.lives));
    m_totalShareLabel->setCaption(formatPercent(team.totalShare));
    m_levelShareLabel->setCaption(QLatin1Char('(') + formatPercent(team.levelShare));

    const QColor level = flags[t][1] ? ScoreColours::navy : ScoreColours::black;
    m_totalShareLabel->setColour(flags[t][0] ? ScoreColours::navy : ScoreColours::black);
    m_levelShareLabel->setColour(level);
    m_levelShareClose->setColour(level);
}

void TeamScoreFrame::setEliminated()
{
    m_nameLabel->setColour(ScoreColours::grey);
    m_livesLabel->setColour(ScoreColours::grey);
    m_livesFractionLabel->setColour(ScoreColours::grey);
}

void TeamScoreFrame::hideLevelStats()
{
    m_levelShareLabel->hide();
    m_levelShareClose->hide();
}

void TeamScoreFrame::makeNarrow()
{
    m_totalShareLabel->hide();
    m_levelShareLabel->hide();
    m_levelShareClose->hide();
    resize(NarrowWidth, FrameHeight);
}

} // namespace fendral
