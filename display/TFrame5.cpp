#include "TFrame5.h"

#include "GameState.h"
#include "Widgets.h"

namespace fendral {

namespace {
    using Anchor = AnchoredLabel::Anchor;
    const QString teamLetters = QStringLiteral("WXYZ");
}

TFrame5::TFrame5(QWidget* parent)
    : QFrame(parent)
{
    resize(FrameWidth, FrameHeight);
    const QFont font = sansFont(13, true);
    QFont nameFont = font;
    nameFont.setUnderline(true);
    m_bev = new Bevel(this, Bevel::Shape::LeftLine, QRect(0, 0, 9, 61));
    m_namer = new AnchoredLabel(this, Anchor::Left, 8, 6, nameFont);
    m_liv = new AnchoredLabel(this, Anchor::Right, 33, 32, sansFont(24, true));
    m_livf = new AnchoredLabel(this, Anchor::Left, 32, 42, font);
    m_sct = new AnchoredLabel(this, Anchor::Right, 113, 24, font);
    m_scc = new AnchoredLabel(this, Anchor::Right, 113, 40, font);
    m_par = new AnchoredLabel(this, Anchor::Left, 113, 40, font);
    m_par->setCaption(QStringLiteral(")"));
}

void TFrame5::updateFrame(const GameState& state, int t, const LeaderFlags& flags)
{
    const Team& team = state.teams[t];
    m_namer->setCaption(QStringLiteral("Team ") + teamLetters[t]);
    m_liv->setCaption(livesWholeText(team.lives));
    m_livf->setCaption(livesFractionText(team.lives));
    m_sct->setCaption(formatPercent(team.totalShare));
    m_scc->setCaption(QLatin1Char('(') + formatPercent(team.levelShare));

    const QColor level = flags[t][1] ? ScoreColours::navy : ScoreColours::black;
    m_sct->setColour(flags[t][0] ? ScoreColours::navy : ScoreColours::black);
    m_scc->setColour(level);
    m_par->setColour(level);
}

void TFrame5::setEliminated()
{
    m_namer->setColour(ScoreColours::grey);
    m_liv->setColour(ScoreColours::grey);
    m_livf->setColour(ScoreColours::grey);
}

void TFrame5::hideLevelStats()
{
    m_scc->hide();
    m_par->hide();
}

void TFrame5::makeNarrow()
{
    m_sct->hide();
    m_scc->hide();
    m_par->hide();
    resize(NarrowWidth, FrameHeight);
}

} // namespace fendral
