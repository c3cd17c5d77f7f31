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
    for (int p = 0; p < fendral::PlayerCount; ++p) {
        const int pad = state.padSlot[p];
        if (pad != fendral::NoPad
            && (pad < 0 || pad >= fendral::PadCount
                || std::count(state.padSlot.begin(), state.padSlot.begin() + p, pad) != 0))
            return false;
    }
    if (!isNamedKey(state.pauseKey))
        return false;
    for (const auto& keys : state.controlKeys) {
        for (int d = 0; d < 4; ++d) {
            if (!isNamedKey(keys[d]) || keys[d] == state.pauseKey || keys[d] == 32
                || std::count(keys.begin(), keys.begin() + d, keys[d]) != 0)
                return false;
        }
    }
    auto colours = state.colourChoice;
    std::sort(colours.begin(), colours.end());
    return colours.front() >= 0 && colours.back() <= 5
        && std::adjacent_find(colours.begin(), colours.end()) == colours.end();
}

// What the settings file keeps of a state, to compare a state with what was read back
inline auto savedSettings(const fendral::GameState& state)
{
    return std::tie(state.pauseKey, state.controlKeys, state.colourChoice, state.padSlot);
}
