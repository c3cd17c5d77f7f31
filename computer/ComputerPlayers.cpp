#include "ComputerPlayers.h"

#include "FieldReading.h"
#include "Players.h"

#include <algorithm>

namespace fendral {

namespace {
    constexpr int PlayerRoom = 2; // cells kept between a computer player and any other player
}

void ComputerPlayers::setUp(const GameState& state, const std::array<uint32_t, PlayerCount>& seeds)
{
    m_players.clear();
    m_forecasts.clear();
    for (int p = 0; p < PlayerCount; ++p)
        if (const std::optional<Strength> strength = strengthOfSetting(state.computer[p])) {
            m_players.emplace_back(p, *strength, seeds[p]);
            const StrengthTraits traits = traitsOf(*strength);
            m_forecasts[{ traits.lookAhead, traits.margin }].prepare(state);
            m_players.back().prepare(state);
        }
}

const EnemyForecast& ComputerPlayers::forecastFor(
    const GameState& state, const StrengthTraits& traits)
{
    // Every forecast is brought up to date once per step, before its first use in the step
    const std::pair key { traits.lookAhead, traits.margin };
    const bool isNew = !m_forecasts.contains(key);
    EnemyForecast& forecast = m_forecasts[key];
    if (isNew || !m_updated.contains(key)) {
        forecast.update(state, traits.lookAhead, traits.margin);
        m_updated.insert(key);
    }
    return forecast;
}

// Two players on the ground or two in the open die when they touch, teammates too, and stepping
// on any trail kills: the cells around every other player and on the other computer players'
// paths are kept clear.
void ComputerPlayers::claimAroundOthers(const GameState& state, int p)
{
    m_claimed.assign(static_cast<std::size_t>(fieldCellCount(state)), 0);
    const FieldIndex index(state);
    for (int q = 0; q < PlayerCount; ++q) {
        const Player& other = state.players[q];
        if (q == p || !isInPlay(other))
            continue;
        for (int x = std::max(0, other.x - PlayerRoom);
             x <= std::min(state.W + 1, other.x + PlayerRoom); ++x)
            for (int y = std::max(0, other.y - PlayerRoom);
                 y <= std::min(state.H + 1, other.y + PlayerRoom); ++y)
                m_claimed[index.of(x, y)] = 1;
    }
    for (const ComputerPlayer& other : m_players)
        if (other.player() != p && isInPlay(state.players[other.player()]))
            for (int cell : other.plannedCells(state))
                m_claimed[cell] = 1;
}

void ComputerPlayers::steer(Game& game)
{
    const GameState& state = game.state;
    m_updated.clear();
    m_lastRequests.fill(std::nullopt);
    for (ComputerPlayer& computer : m_players) {
        const int p = computer.player();
        if (!isInPlay(state.players[p]))
            continue;
        claimAroundOthers(state, p);
        const std::optional<int> direction
            = computer.decide(state, forecastFor(state, traitsOf(computer.strength())), m_claimed);
        if (direction && steerPlayer(game, p, *direction))
            m_lastRequests[p] = direction;
    }
}

} // namespace fendral
