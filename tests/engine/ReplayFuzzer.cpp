#include "ReplayFuzzer.h"

namespace fendral {

std::vector<uint8_t> ReplayFuzzer::damaged(const std::vector<uint8_t>& valid)
{
    std::vector<uint8_t> bytes = valid;
    const auto at
        = [&] { return static_cast<std::size_t>(m_dice.next(static_cast<int>(bytes.size()))); };
    switch (m_dice.next(5)) {
    case 0:
        bytes.resize(at());
        break;
    case 1:
        for (int i = 0, n = 1 + m_dice.next(3); i < n; ++i)
            bytes[at()] ^= static_cast<uint8_t>(1 << m_dice.next(8));
        break;
    case 2:
        bytes[at()] = static_cast<uint8_t>(m_dice.next(256));
        break;
    case 3: {
        const std::size_t from = at();
        const std::size_t length = std::min<std::size_t>(bytes.size() - from, 1 + m_dice.next(40));
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at()),
            valid.begin() + static_cast<std::ptrdiff_t>(from),
            valid.begin() + static_cast<std::ptrdiff_t>(from + length));
        break;
    }
    default:
        // Random bytes after a valid beginning, at least the magic word and the versions
        bytes.resize(std::max<std::size_t>(12, at()));
        for (int i = 0, n = m_dice.next(200); i < n; ++i)
            bytes.push_back(static_cast<uint8_t>(m_dice.next(256)));
    }
    return bytes;
}

std::string ReplayFuzzer::tryFile(const std::vector<uint8_t>& bytes)
{
    std::string error;
    const std::optional<Replay> replay = decodeReplay(bytes, error);
    if (!replay)
        return error.empty() ? "refused without a reason" : "";
    if (!error.empty())
        return "accepted with an error: " + error;
    verifyReplay(*replay, [](const PlayedLevel&) {});
    return "";
}

} // namespace fendral
