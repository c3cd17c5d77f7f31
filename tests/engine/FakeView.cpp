#include "FakeView.h"

#include <algorithm>

namespace fendral {

FakeView::FakeView(GameState& state)
    : m_state(state)
{
    ensureSize();
}

void FakeView::ensureSize() const
{
    const auto size = static_cast<std::size_t>((m_state.W + 1) * (m_state.H + 1));
    if (m_backBuffer.size() != size) {
        m_backBuffer.assign(size, 0);
        m_window.assign(size, 0);
    }
}

int FakeView::count(const std::string& call) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

void FakeView::setBackBufferPixel(int x, int y, Colour colour)
{
    ensureSize();
    m_backBuffer[index(x, y)] = colour;
}

void FakeView::setCellColour(int x, int y, Colour colour)
{
    setBackBufferPixel(x, y, colour);
    paintCell(x, y, colour);
}

void FakeView::paintCell(int x, int y, Colour colour)
{
    ensureSize();
    m_window[index(x, y)] = colour;
}

void FakeView::refreshCell(int x, int y) { paintCell(x, y, backBufferPixel(x, y)); }

void FakeView::fillBlock(int x0, int y0, Colour colour)
{
    calls.push_back("fillBlock");
    for (int x = x0; x < x0 + BlockSize; ++x)
        for (int y = y0; y < y0 + BlockSize; ++y)
            setCellColour(x, y, colour);
}

void FakeView::paintNewField()
{
    calls.push_back("paintNewField");
    ensureSize();
    const int b = m_state.borderWidth;
    for (int x = 1; x <= m_state.W; ++x)
        for (int y = 1; y <= m_state.H; ++y) {
            const bool interior = x > b && x <= m_state.W - b && y > b && y <= m_state.H - b;
            setCellColour(
                x, y, interior ? m_state.palette().openColour : m_state.palette().groundColour);
        }
}

void FakeView::drawSprites(bool advance)
{
    calls.push_back(advance ? "drawSprites(true)" : "drawSprites(false)");
    if (!advance)
        return;
    const int s = m_state.stepMultiplier;
    for (auto* enemies : { &m_state.groundEnemies, &m_state.openEnemies })
        for (Enemy& enemy : *enemies) {
            enemy.drawnX += s * enemy.dx;
            enemy.drawnY += s * enemy.dy;
        }
    for (Player& player : m_state.players)
        if (player.alive && (player.dx != 0 || player.dy != 0)) {
            player.drawnX += player.dx * s;
            player.drawnY += player.dy * s;
        }
}

void FakeView::setLevelCaptions(const std::string& level, const std::string& enemies)
{
    levelCaption = level;
    enemyCaption = enemies;
}

void FakeView::setNeededShare(double share) { neededShare = share; }

void FakeView::setMessage(const std::string& text) { message = text; }

void FakeView::setMessageVisible(bool visible) { messageVisible = visible; }

void FakeView::UpdateScores() { calls.push_back("UpdateScores"); }

void FakeView::ShowLayout(bool menuMode)
{
    calls.push_back(menuMode ? "ShowLayout(true)" : "ShowLayout(false)");
    m_state.menuMode = menuMode ? 1 : 0;
    m_state.cheatCount = m_state.paused = m_state.gameOver = 0;
    messageVisible = false;
    playerFrame = {};
    teamFrame = {};
    playerOut = {};
    teamEliminated = {};
    teamLevelStatsHidden = {};
    if (menuMode)
        return;
    for (int i = 0; i < PlayerCount; ++i) {
        teamFrame[i] = m_state.teams[i].active != 0;
        playerFrame[i] = m_state.players[i].alive != 0;
    }
}

void FakeView::SetOut(int p, bool out) { playerOut[p] = out; }

void FakeView::ShowLevelStats(int p, bool show) { levelStatsShown[p] = show; }

void FakeView::SetEliminated(int t) { teamEliminated[t] = true; }

void FakeView::HideLevelStats(int t) { teamLevelStatsHidden[t] = true; }

} // namespace fendral
