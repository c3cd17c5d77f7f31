// The computer players of a game: each asks for its direction before a logic step, through the
// same door as a key, with one forecast of the enemies shared by all of the same strength
#pragma once

#include "ComputerPlayer.h"
#include "EnemyForecast.h"
#include "Game.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace fendral {

class ComputerPlayers {
public:
    // Takes the computer players the setup chose (state.computer), player p seeded with seeds[p].
    void setUp(const GameState& state, const std::array<uint32_t, PlayerCount>& seeds);
    bool isEmpty() const { return m_players.empty(); }

    // Before a logic step: every computer player in play asks for its direction through
    // steerPlayer, exactly as a key of its own would.
    void steer(Game& game);

    // What each computer player asked for in the last steer, in player order: nothing or a
    // direction
    const std::array<std::optional<int>, PlayerCount>& lastRequests() const
    {
        return m_lastRequests;
    }

private:
    const EnemyForecast& forecastFor(const GameState& state, const StrengthTraits& traits);
    void claimAroundOthers(const GameState& state, int p);

    std::vector<ComputerPlayer> m_players;
    std::map<std::pair<int, int>, EnemyForecast> m_forecasts; // by look-ahead and margin
    std::set<std::pair<int, int>> m_updated; // the forecasts brought up to date for this step
    std::vector<uint8_t> m_claimed;
    std::array<std::optional<int>, PlayerCount> m_lastRequests {};
};

} // namespace fendral
