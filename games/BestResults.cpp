#include "BestResults.h"

#include "GameRecord.h"

#include <algorithm>
#include <tuple>

namespace fendral {

bool ranksBefore(const GameResult& a, const GameResult& b)
{
    // Fewer is better for the bought lives (none before some) and the date
    return std::tuple(a.livesBought == 0, a.levelReached, a.share, -a.date)
        > std::tuple(b.livesBought == 0, b.levelReached, b.share, -b.date);
}

GameResult gameResult(const GameRecord& record, qint64 date)
{
    GameResult result;
    result.date = date;
    for (int p = 0; p < PlayerCount; ++p) {
        if (record.teamOf()[p] >= 0)
            result.players.append(
                { p, record.teamOf()[p], record.colourIndexOf()[p], record.computerOf()[p] });
    }
    result.levelReached = record.levelReached();
    result.share = record.share();
    result.deaths = record.deaths();
    result.livesBought = record.livesBought();
    return result;
}

int BestResults::insert(const GameResult& result)
{
    const auto place = std::upper_bound(m_entries.begin(), m_entries.end(), result,
        [](const GameResult& a, const GameResult& b) { return ranksBefore(a, b); });
    const auto index = static_cast<int>(place - m_entries.begin());
    if (index >= MaxEntries)
        return -1;
    m_entries.insert(index, result);
    if (m_entries.size() > MaxEntries)
        m_entries.resize(MaxEntries);
    return index;
}

void BestResults::remove(int index)
{
    if (index >= 0 && index < m_entries.size())
        m_entries.removeAt(index);
}

void BestResults::setName(int index, const QString& name)
{
    if (index >= 0 && index < m_entries.size())
        m_entries[index].name = name;
}

QStringList BestResults::replays() const
{
    QStringList names;
    for (const GameResult& result : m_entries) {
        if (!result.replay.isEmpty())
            names << result.replay;
    }
    return names;
}

} // namespace fendral
