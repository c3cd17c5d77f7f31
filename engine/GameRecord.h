// The course of one game, level by level: what each player and team captured, the deaths and the
// time each level took, taken from the state as each level ends
#pragma once

#include "GameState.h"

#include <array>
#include <cstdint>
#include <vector>

namespace fendral {

struct LevelRecord {
    int level = 0;
    std::array<double, PlayerCount> playerShare {};
    std::array<double, TeamCount> teamShare {};
    std::array<int, PlayerCount> deaths {};
    int64_t milliseconds = 0; // game time: the level's logic steps at the game's own pace
    bool completed = false;

    double share() const; // the whole field share captured in the level
};

class GameRecord {
public:
    // Level reached by a game that completed the last level
    static constexpr int AllLevelsCompleted = LastLevel + 1;

    // A new game has just been set up; the record of the last one is dropped.
    void start(const GameState& state);
    // Called around every tick and command of the game: the totals and purchases are taken, and
    // a level that ended, by completion or by a game over, is written down once.
    void observe(const GameState& state);

    bool hasStarted() const { return m_started; }
    // Ended by a game over or by completing the last level; never by leaving it through the
    // menu or a close.
    bool hasEnded() const { return m_ended; }
    int startingLevel() const { return m_startingLevel; }
    // The level the game ended in, or AllLevelsCompleted.
    int levelReached() const;
    const std::vector<LevelRecord>& levels() const { return m_levels; }
    // The level with the most share captured, the earlier of equals; -1 before any level ended.
    int bestLevelIndex() const;

    // Who played: the team of each player (-1: not playing) and each player's colour
    const std::array<int, PlayerCount>& teamOf() const { return m_teamOf; }
    const std::array<Colour, PlayerCount>& colourOf() const { return m_colourOf; }
    const std::array<int, PlayerCount>& colourIndexOf() const { return m_colourIndexOf; }
    // Person (0), or the strength of the computer player that steered the player
    const std::array<int, PlayerCount>& computerOf() const { return m_computerOf; }
    // Whether a person steered one of the players in the game
    bool hasPerson() const;

    // The totals as the game left them
    const std::array<double, PlayerCount>& totalShare() const { return m_totalShare; }
    const std::array<int, PlayerCount>& totalDeaths() const { return m_totalDeaths; }
    double share() const; // the sum of the players' total shares
    int deaths() const;
    int livesBought() const { return m_livesBought; }

private:
    bool m_started = false;
    bool m_ended = false;
    int m_startingLevel = 1;
    int m_recordedLevel = 0; // the last level written down
    int64_t m_levelStartStep = 0;
    int m_stepMilliseconds = 0;
    std::vector<LevelRecord> m_levels;
    std::array<int, PlayerCount> m_teamOf {};
    std::array<Colour, PlayerCount> m_colourOf {};
    std::array<int, PlayerCount> m_colourIndexOf {};
    std::array<int, PlayerCount> m_computerOf {};
    std::array<double, PlayerCount> m_totalShare {};
    std::array<int, PlayerCount> m_totalDeaths {};
    int m_livesBought = 0;
};

} // namespace fendral
