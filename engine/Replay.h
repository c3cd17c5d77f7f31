// A recorded game as data: its header, its commands and check values by logic step, and the
// compact binary form of it with a strict reader
#pragma once

#include "GameLog.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fendral {

constexpr uint16_t ReplayFormatVersion = 1;
// Goes up with every change of the rules; the golden games are recorded again with it.
constexpr uint16_t LogicVersion = 1;

enum class Controller : uint8_t { Person = 0, Computer = 1 };

// What one of the four players was in the recorded game
struct PlayerSetup {
    int8_t team = -1; // -1: not taking part
    uint8_t colour = 0; // index of the colour choice
    Controller controller = Controller::Person;
    uint8_t strength = 0; // of a computer player
    uint64_t controllerSeed = 0; // of a computer player

    bool operator==(const PlayerSetup&) const = default;
};

struct ReplayHeader {
    uint16_t formatVersion = ReplayFormatVersion;
    uint16_t logicVersion = LogicVersion;
    std::string programVersion;
    int64_t date = 0; // milliseconds since 1970-01-01 UTC
    uint64_t seed = 0;
    uint8_t startingLevel = 1;
    uint16_t width = 0;
    uint16_t height = 0;
    std::array<PlayerSetup, PlayerCount> players {};

    bool operator==(const ReplayHeader&) const = default;
};

// What the list of kept games shows, without playing the game
struct ReplaySummary {
    uint8_t levelReached = 1;
    uint16_t fieldShare = 0; // at the end, in hundredths of a per cent
    uint8_t livesBought = 0;
    EndReason ended = EndReason::Menu;
    uint32_t steps = 0;

    bool operator==(const ReplaySummary&) const = default;
};

enum class EventKind : uint8_t { Direction = 0, BuyLives = 1, NextLevel = 2, End = 3, Check = 4 };

struct ReplayEvent {
    uint32_t step = 0; // logic steps played before the event
    EventKind kind = EventKind::Check;
    uint8_t player = 0; // of a direction request
    uint8_t value = 0; // direction, end reason or check kind
    uint64_t hash = 0; // of a check

    bool operator==(const ReplayEvent&) const = default;
};

struct Replay {
    ReplayHeader header;
    ReplaySummary summary;
    std::vector<ReplayEvent> events; // in the order they happened; the last is the end

    bool operator==(const Replay&) const = default;
};

std::vector<uint8_t> encodeReplay(const Replay& replay);

// Reads an encoded replay, refusing anything it cannot play soundly: another format or logic
// version, a damaged or truncated file, counts beyond the data, commands for players not in the
// game, values out of range. The reason of a refusal goes to error.
std::optional<Replay> decodeReplay(std::span<const uint8_t> data, std::string& error);

// "game over", "last level", "menu" or "close"
std::string endReasonName(EndReason reason);

} // namespace fendral
