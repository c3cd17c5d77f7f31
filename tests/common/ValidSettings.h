// What a set of keys, colours and pads must satisfy to be read back from the settings file, written
// apart from the loader so that the tests judge it independently
#pragma once

#include "GameState.h"

#include <algorithm>
#include <array>
#include <tuple>

inline bool isNamedKey(int code)
{
    constexpr std::array named { 32, 37, 38, 39, 40, 186, 188, 190, 191, 219, 221, 222 };
    return (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')
        || (code >= 96 && code <= 105)
        || std::find(named.begin(), named.end(), code) != named.end();
}

// A named pause key; for every player four named keys, different from each other, from the
// pause key and from Space; four different colours among the six; for every player one of the
// four pads or none, and no pad twice
inline bool passesValidation(const fendral::GameState& state)
{
    const auto& pads = state.padSlot;
    for (int p = 0; p < fendral::PlayerCount; ++p) {
        if (pads[p] != fendral::NoPad
            && (pads[p] < 0 || pads[p] >= fendral::PadCount
                || std::count(&pads[0], &pads[p], pads[p])))
            return false;
        for (int d = 0; d < 4; ++d) {
            const auto& keys = state.controlKeys[p];
            if (!isNamedKey(keys[d]) || keys[d] == state.pauseKey || keys[d] == 32
                || std::count(&keys[0], &keys[d], keys[d]))
                return false;
        }
    }
    auto colours = state.colourChoice;
    std::sort(colours.begin(), colours.end());
    return isNamedKey(state.pauseKey) && colours.front() >= 0 && colours.back() <= 5
        && std::adjacent_find(colours.begin(), colours.end()) == colours.end();
}

// What the settings file keeps of a state, to compare a state with what was read back
inline auto savedSettings(const fendral::GameState& state)
{
    return std::tie(state.pauseKey, state.controlKeys, state.colourChoice, state.padSlot);
}
