#include "Replay.h"

#include <algorithm>

namespace fendral {

namespace {

    constexpr std::array<uint8_t, 8> Magic { 'F', 'N', 'D', 'R', 'P', 'L', 'A', 'Y' };
    constexpr std::size_t MaxProgramVersion = 64;
    constexpr int MinSide = 32;
    constexpr int MaxSide = 256;
    constexpr std::size_t SmallestEvent = 2; // a step of one byte and a kind byte
    constexpr int MaxPurchases = 99;
    // Nine days of play: a longer game is a hostile file that would keep a check busy for long
    constexpr uint32_t MaxSteps = 10'000'000;

    class Writer {
    public:
        void put(uint64_t value, int bytes)
        {
            for (int i = 0; i < bytes; ++i)
                m_bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
        // Seven bits a byte, the high bit saying that more follow
        void putVarint(uint32_t value)
        {
            while (value >= 0x80) {
                m_bytes.push_back(static_cast<uint8_t>(value | 0x80));
                value >>= 7;
            }
            m_bytes.push_back(static_cast<uint8_t>(value));
        }
        void putBytes(std::span<const uint8_t> bytes)
        {
            m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        }
        std::vector<uint8_t>& bytes() { return m_bytes; }

    private:
        std::vector<uint8_t> m_bytes;
    };

    // Reads little-endian values; past the end it reads zeros and remembers that it ran out
    class Reader {
    public:
        explicit Reader(std::span<const uint8_t> data)
            : m_data(data)
        {
        }
        uint64_t take(int bytes)
        {
            if (remaining() < static_cast<std::size_t>(bytes)) {
                m_pos = m_data.size();
                m_truncated = true;
                return 0;
            }
            uint64_t value = 0;
            for (int i = 0; i < bytes; ++i)
                value |= static_cast<uint64_t>(m_data[m_pos++]) << (8 * i);
            return value;
        }
        // A value of at most five bytes; false when it does not fit 32 bits
        bool takeVarint(uint32_t& value)
        {
            uint64_t result = 0;
            for (int shift = 0; shift < 35; shift += 7) {
                const uint64_t byte = take(1);
                result |= (byte & 0x7F) << shift;
                if ((byte & 0x80) == 0)
                    break;
                if (shift == 28)
                    return false;
            }
            value = static_cast<uint32_t>(result);
            return result <= UINT32_MAX;
        }
        std::span<const uint8_t> takeBytes(std::size_t count)
        {
            if (remaining() < count) {
                m_pos = m_data.size();
                m_truncated = true;
                return {};
            }
            const auto bytes = m_data.subspan(m_pos, count);
            m_pos += count;
            return bytes;
        }
        std::size_t remaining() const { return m_data.size() - m_pos; }
        bool truncated() const { return m_truncated; }

    private:
        std::span<const uint8_t> m_data;
        std::size_t m_pos = 0;
        bool m_truncated = false;
    };

    std::vector<uint8_t> encodeHeaderBlock(const Replay& replay)
    {
        const ReplayHeader& header = replay.header;
        Writer out;
        const std::string version = header.programVersion.substr(0, MaxProgramVersion);
        out.put(version.size(), 1);
        out.putBytes({ reinterpret_cast<const uint8_t*>(version.data()), version.size() });
        out.put(static_cast<uint64_t>(header.date), 8);
        out.put(header.seed, 8);
        out.put(header.startingLevel, 1);
        out.put(header.width, 2);
        out.put(header.height, 2);
        for (const PlayerSetup& player : header.players) {
            out.put(static_cast<uint8_t>(player.team), 1);
            out.put(player.colour, 1);
            out.put(static_cast<uint8_t>(player.controller), 1);
            out.put(player.strength, 1);
            out.put(player.controllerSeed, 8);
        }
        const ReplaySummary& summary = replay.summary;
        out.put(summary.levelReached, 1);
        out.put(summary.fieldShare, 2);
        out.put(summary.livesBought, 1);
        out.put(static_cast<uint8_t>(summary.ended), 1);
        out.put(summary.steps, 4);
        return std::move(out.bytes());
    }

    // The kind in the low three bits of the event's byte, its small values above
    uint8_t eventByte(const ReplayEvent& event)
    {
        const auto kind = static_cast<uint8_t>(event.kind);
        if (event.kind == EventKind::Direction)
            return static_cast<uint8_t>(kind | event.player << 3 | event.value << 5);
        return static_cast<uint8_t>(kind | event.value << 3);
    }

    bool isPrintable(const std::string& text)
    {
        return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    }

    std::string checkHeader(const ReplayHeader& header)
    {
        if (!isPrintable(header.programVersion))
            return "the program version is not plain text";
        if (header.startingLevel < 1 || header.startingLevel > LastLevel)
            return "the starting level " + std::to_string(header.startingLevel) + " is not 1..50";
        if (header.width < MinSide || header.width > MaxSide || header.height < MinSide
            || header.height > MaxSide)
            return "the field size " + std::to_string(header.width) + " x "
                + std::to_string(header.height) + " is out of range";
        bool anyPlayer = false;
        for (const PlayerSetup& player : header.players) {
            if (player.team < -1 || player.team >= TeamCount || player.colour >= ColourCount
                || static_cast<uint8_t>(player.controller) > 1)
                return "a player's team, colour or controller is out of range";
            anyPlayer = anyPlayer || player.team >= 0;
        }
        return anyPlayer ? "" : "no player takes part";
    }

    PlayerSetup readPlayer(Reader& in)
    {
        PlayerSetup player;
        player.team = static_cast<int8_t>(in.take(1));
        player.colour = static_cast<uint8_t>(in.take(1));
        player.controller = static_cast<Controller>(in.take(1));
        player.strength = static_cast<uint8_t>(in.take(1));
        player.controllerSeed = in.take(8);
        return player;
    }

    // The known fields of the header block; later versions may add fields after them
    void readHeaderBlock(Reader& in, Replay& replay)
    {
        ReplayHeader& header = replay.header;
        const auto version = in.takeBytes(in.take(1));
        header.programVersion.assign(version.begin(), version.end());
        header.date = static_cast<int64_t>(in.take(8));
        header.seed = in.take(8);
        header.startingLevel = static_cast<uint8_t>(in.take(1));
        header.width = static_cast<uint16_t>(in.take(2));
        header.height = static_cast<uint16_t>(in.take(2));
        for (PlayerSetup& player : header.players)
            player = readPlayer(in);
        ReplaySummary& summary = replay.summary;
        summary.levelReached = static_cast<uint8_t>(in.take(1));
        summary.fieldShare = static_cast<uint16_t>(in.take(2));
        summary.livesBought = static_cast<uint8_t>(in.take(1));
        summary.ended = static_cast<EndReason>(in.take(1));
        summary.steps = static_cast<uint32_t>(in.take(4));
    }

    std::string checkEvent(const ReplayEvent& event, const ReplayHeader& header, uint8_t byte)
    {
        switch (event.kind) {
        case EventKind::Direction:
            if (event.value > Right)
                return "a direction out of range";
            if (header.players[event.player].team < 0)
                return "a command for player " + std::to_string(event.player + 1)
                    + ", who is not in the game";
            return "";
        case EventKind::BuyLives:
        case EventKind::NextLevel:
            return byte >> 3 == 0 ? "" : "an event with stray bits";
        case EventKind::End:
            return event.value <= static_cast<uint8_t>(EndReason::Close) ? "" : "an unknown end";
        case EventKind::Check:
            return event.value <= static_cast<uint8_t>(CheckKind::GameLeft) ? ""
                                                                            : "an unknown check";
        }
        return "an unknown event kind " + std::to_string(byte & 7);
    }

    std::string readEvents(Reader& in, Replay& replay)
    {
        const auto count = static_cast<uint32_t>(in.take(4));
        if (in.truncated() || count == 0 || count > in.remaining() / SmallestEvent)
            return "the event count " + std::to_string(count) + " does not fit the file";
        replay.events.reserve(count);
        uint64_t step = 0;
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t delta = 0;
            if (!in.takeVarint(delta) || (step += delta) > UINT32_MAX)
                return "a step number out of range";
            ReplayEvent event;
            event.step = static_cast<uint32_t>(step);
            const auto byte = static_cast<uint8_t>(in.take(1));
            event.kind = static_cast<EventKind>(byte & 7);
            event.player = event.kind == EventKind::Direction ? (byte >> 3) & 3 : 0;
            event.value
                = static_cast<uint8_t>(event.kind == EventKind::Direction ? byte >> 5 : byte >> 3);
            if (event.kind == EventKind::Check)
                event.hash = in.take(8);
            if (in.truncated())
                return "the file is truncated";
            if (std::string problem = checkEvent(event, replay.header, byte); !problem.empty())
                return problem;
            if (event.kind == EventKind::End && i + 1 != count)
                return "events after the end of the game";
            replay.events.push_back(event);
        }
        return "";
    }

    std::string checkSummary(const Replay& replay)
    {
        const ReplaySummary& summary = replay.summary;
        const ReplayEvent& last = replay.events.back();
        if (last.kind != EventKind::End)
            return "the game has no end";
        if (last.value != static_cast<uint8_t>(summary.ended) || last.step != summary.steps)
            return "the summary does not match the end of the game";
        const auto count = [&](EventKind kind) {
            return std::count_if(replay.events.begin(), replay.events.end(),
                [kind](const ReplayEvent& event) { return event.kind == kind; });
        };
        if (summary.livesBought != count(EventKind::BuyLives) || summary.livesBought > MaxPurchases)
            return "the summary's purchases do not match the commands";
        if (summary.levelReached != replay.header.startingLevel + count(EventKind::NextLevel)
            || summary.levelReached > LastLevel)
            return "the summary's level does not match the commands";
        if (summary.steps > MaxSteps)
            return "the game is longer than " + std::to_string(MaxSteps) + " logic steps";
        return summary.fieldShare <= 10000 ? "" : "the summary's field share is out of range";
    }

} // namespace

std::vector<uint8_t> encodeReplay(const Replay& replay)
{
    Writer out;
    out.putBytes(Magic);
    out.put(replay.header.formatVersion, 2);
    out.put(replay.header.logicVersion, 2);
    const std::vector<uint8_t> headerBlock = encodeHeaderBlock(replay);
    out.put(headerBlock.size(), 2);
    out.putBytes(headerBlock);
    out.put(replay.events.size(), 4);
    uint32_t step = 0;
    for (const ReplayEvent& event : replay.events) {
        out.putVarint(event.step - step);
        step = event.step;
        out.put(eventByte(event), 1);
        if (event.kind == EventKind::Check)
            out.put(event.hash, 8);
    }
    return std::move(out.bytes());
}

std::optional<Replay> decodeReplay(std::span<const uint8_t> data, std::string& error)
{
    Reader in(data);
    const auto magic = in.takeBytes(Magic.size());
    if (in.truncated() || !std::equal(magic.begin(), magic.end(), Magic.begin())) {
        error = "not a Fendral replay";
        return std::nullopt;
    }
    Replay replay;
    replay.header.formatVersion = static_cast<uint16_t>(in.take(2));
    replay.header.logicVersion = static_cast<uint16_t>(in.take(2));
    if (replay.header.formatVersion != ReplayFormatVersion) {
        error = "the replay has format version " + std::to_string(replay.header.formatVersion)
            + "; this Fendral reads format version " + std::to_string(ReplayFormatVersion);
        return std::nullopt;
    }
    if (replay.header.logicVersion != LogicVersion) {
        error = "the replay was recorded with logic version "
            + std::to_string(replay.header.logicVersion) + "; this Fendral plays logic version "
            + std::to_string(LogicVersion);
        return std::nullopt;
    }
    Reader headerBlock(in.takeBytes(in.take(2)));
    readHeaderBlock(headerBlock, replay);
    if (in.truncated() || headerBlock.truncated()) {
        error = "the file is truncated";
        return std::nullopt;
    }
    error = checkHeader(replay.header);
    if (error.empty())
        error = readEvents(in, replay);
    if (error.empty() && in.remaining() != 0)
        error = "stray data after the end of the game";
    if (error.empty())
        error = checkSummary(replay);
    if (!error.empty())
        return std::nullopt;
    return replay;
}

std::string endReasonName(EndReason reason)
{
    switch (reason) {
    case EndReason::GameOver:
        return "game over";
    case EndReason::LastLevel:
        return "last level";
    case EndReason::Menu:
        return "menu";
    case EndReason::Close:
        return "close";
    }
    return "unknown";
}

} // namespace fendral
