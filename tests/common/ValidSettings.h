// What keys, colours and pads must satisfy to be read back, judged apart from the loader
#pragma once

#include "GameState.h"

#include <algorithm>
#include <array>
#include <tuple>

inline bool isNamedKey(int code)
{
    constexpr std::array named { 32, 37, 38, 39, 40, 186, 188, 190, 191, 219, 221, 222 };
    const unsigned key = static_cast<unsigned>(code);
    return key - 'A' < 26 || key - '0' < 10 || key - 96 < 10 || std::ranges::count(named, code);
}

// Named keys apart from each other, the pause key and Space; different colours; no pad twice
inline bool passesValidation(const fendral::GameState& state)
{
    const auto& pads = state.padSlot;
    for (int p = 0; p < fendral::PlayerCount; ++p) {
        const auto& keys = state.controlKeys[p];
        if (pads[p] != fendral::NoPad
            && (pads[p] < 0 || pads[p] >= fendral::PadCount
                || std::count(&pads[0], &pads[p], pads[p])))
            return false;
        for (int d = 0; d < 4; ++d) {
            if (!isNamedKey(keys[d]) || keys[d] == state.pauseKey || keys[d] == 32
                || std::count(&keys[0], &keys[d], keys[d]))
                return false;
        }
    }
    auto colours = state.colourChoice;
    std::ranges::sort(colours);
    return isNamedKey(state.pauseKey) && colours.front() >= 0 && colours.back() <= 5
        && std::ranges::adjacent_find(colours) == colours.end();
}

// Each player in one team at most, and no two people who share a key both playing
inline bool allowsTeams(const fendral::GameState& state)
{
    std::array<int, fendral::PlayerCount> teams {};
    for (const auto& team : state.teamAssignment) {
        for (int p = 0; p < fendral::PlayerCount; ++p)
            teams[p] += team[p] != 0;
    }
    for (int p = 0; p < fendral::PlayerCount; ++p) {
        for (int q = 0; q < p; ++q) {
            for (const int key : state.controlKeys[p]) {
                if (teams[p] > 1
                    || (teams[p] && teams[q] && !state.computer[p] && !state.computer[q]
                        && std::ranges::count(state.controlKeys[q], key)))
                    return false;
            }
        }
    }
    return true;
}

// What the settings file keeps of a state
inline auto savedSettings(const fendral::GameState& state)
{
    return std::tie(state.pauseKey, state.controlKeys, state.colourChoice, state.padSlot,
        state.computer, state.teamAssignment);
}
