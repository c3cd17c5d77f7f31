#include "DisplayView.h"

#include "FieldRenderer.h"
#include "PlayerScoreFrame.h"
#include "ScoreText.h"
#include "StatusPanel.h"
#include "TeamScoreFrame.h"
#include "WidgetScale.h"

namespace fendral {

namespace {
    constexpr int FirstFrameX = 6;
}

DisplayView::DisplayView(
    GameState& state, FieldRenderer& renderer, StatusPanel& panel, const LayoutWidgets& widgets)
    : m_state(state)
    , m_renderer(renderer)
    , m_statusPanel(panel)
    , m_widgets(widgets)
{
}

DisplayView::~DisplayView() = default;

void DisplayView::setBackBufferPixel(int x, int y, Colour colour)
{
    m_renderer.setBackBufferPixel(x, y, colour);
}

void DisplayView::setCellColour(int x, int y, Colour colour)
{
    m_renderer.setCellColour(x, y, colour);
}

void DisplayView::paintCell(int x, int y, Colour colour) { m_renderer.paintCell(x, y, colour); }

void DisplayView::refreshCell(int x, int y) { m_renderer.refreshCell(x, y); }

void DisplayView::fillBlock(int x0, int y0, Colour colour) { m_renderer.fillBlock(x0, y0, colour); }

void DisplayView::paintNewField() { m_renderer.paintNewField(); }

void DisplayView::drawSprites(bool advance) { m_renderer.drawSprites(advance); }

void DisplayView::setLevelCaptions(const std::string& level, const std::string& enemies)
{
    m_statusPanel.levelLabel()->setCaption(QString::fromStdString(level));
    m_statusPanel.enemiesLabel()->setCaption(QString::fromStdString(enemies));
}

void DisplayView::setNeededShare(double share)
{
    m_statusPanel.neededShareLabel()->setCaption(formatPercent(share));
}

void DisplayView::setMessage(const std::string& text)
{
    m_widgets.messagePanel->setCaption(QString::fromStdString(text));
}

void DisplayView::setMessageVisible(bool visible) { m_widgets.messagePanel->setVisible(visible); }

void DisplayView::gameEvent(const GameEvent& event)
{
    for (const GameEventListener& listener : m_gameEventListeners)
        listener(event);
}

void DisplayView::addGameEventListener(GameEventListener listener)
{
    m_gameEventListeners.push_back(std::move(listener));
}

void DisplayView::updateScores()
{
    const LeaderFlags flags = computeLeaderFlags(m_state);
    for (int i = 0; i < 4; ++i) {
        if (m_playerFrames[i])
            m_playerFrames[i]->updateFrame(m_state, i, flags);
        if (m_teamFrames[i])
            m_teamFrames[i]->updateFrame(m_state, i, flags);
    }
    m_statusPanel.fieldShareLabel()->setCaption(formatPercent(m_state.fieldShare));
    m_statusPanel.purchasePanel()->setCaption(QString::number(-m_state.cheatCount));
}

void DisplayView::showLayout(bool menuMode)
{
    m_state.menuMode = menuMode ? 1 : 0;

    m_statusPanel.separator()->setVisible(!menuMode);
    m_statusPanel.levelBox()->setVisible(!menuMode);
    m_widgets.menuPanel->setVisible(menuMode);
    m_widgets.versionLabel->setVisible(menuMode);
    m_widgets.creditLabel->setVisible(menuMode);

    m_renderer.clearCanvas();
    m_widgets.messagePanel->hide();

    m_statusPanel.purchasePanel()->setCaption(QStringLiteral("0"));
    m_state.cheatCount = 0;
    m_state.paused = 0;
    m_state.gameOver = 0;

    destroyFrames();
    if (!menuMode) {
        createFrames();
        placeFrames();
    }
    // Keys go to the window itself, never to a button
    m_widgets.window->setFocus();
}

void DisplayView::createFrames()
{
    for (int t = 0; t < TeamCount; ++t) {
        if (!m_state.teams[t].active)
            continue;
        m_teamFrames[t] = std::make_unique<TeamScoreFrame>(&m_statusPanel);
        if (m_state.teams[t].members == 1)
            m_teamFrames[t]->makeNarrow();
    }
    for (int p = 0; p < PlayerCount; ++p)
        if (m_state.players[p].alive)
            m_playerFrames[p] = std::make_unique<PlayerScoreFrame>(&m_statusPanel);
}

void DisplayView::placeFrames()
{
    const Scale& scale = m_statusPanel.scale();
    const int top = scale.logical(StatusPanel::FrameTop);
    int x = scale.logical(FirstFrameX);
    const auto place = [&](QWidget* frame) {
        rescaleWidgets(frame, scale);
        frame->move(x, top);
        frame->show();
        x += frame->width();
    };
    for (int t = 0; t < TeamCount; ++t) {
        if (!m_state.teams[t].active)
            continue;
        place(m_teamFrames[t].get());
        for (int p = 0; p < PlayerCount; ++p)
            if (m_playerFrames[p] && m_state.players[p].team == t)
                place(m_playerFrames[p].get());
    }
    m_statusPanel.separator()->move(x, top);
}

void DisplayView::placeFramesAgain()
{
    if (!m_state.menuMode)
        placeFrames();
}

void DisplayView::destroyFrames()
{
    for (auto& frame : m_playerFrames)
        frame.reset();
    for (auto& frame : m_teamFrames)
        frame.reset();
}

void DisplayView::setOut(int p, bool out)
{
    if (m_playerFrames[p])
        m_playerFrames[p]->setOut(out);
}

void DisplayView::showLevelStats(int p, bool show)
{
    if (m_playerFrames[p])
        m_playerFrames[p]->showLevelStats(show);
}

void DisplayView::setEliminated(int t)
{
    if (m_teamFrames[t])
        m_teamFrames[t]->setEliminated();
}

void DisplayView::hideLevelStats(int t)
{
    if (m_teamFrames[t])
        m_teamFrames[t]->hideLevelStats();
}

} // namespace fendral
