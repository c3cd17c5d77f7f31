// The best results: the ten best games played on this account, best first
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace fendral {

class GameRecord;

struct ResultPlayer {
    int player = 0; // 0..3: Alpha..Delta
    int team = 0; // 0..3: W..Z
    int colour = 0; // 0..5, the index of the player's colour
    int computer = 0; // 0: a person steered the player; 1..3: a computer player of that strength

    bool operator==(const ResultPlayer&) const = default;
};

struct GameResult {
    qint64 date = 0; // ms since the epoch, when the game ended
    QString name;
    QList<ResultPlayer> players;
    int levelReached = 1; // 51 for completing the last level
    double share = 0; // the sum of the players' total shares
    int deaths = 0;
    int livesBought = 0;
    QString replay; // the file name of the game's replay among the kept games; empty: none

    bool operator==(const GameResult&) const = default;
};

// Whether a ranks before b: a game without bought lives before any with, then the higher level,
// then the greater share, then the earlier date.
bool ranksBefore(const GameResult& a, const GameResult& b);

// The result of a game that ended, as it enters the table (without a name yet).
GameResult gameResult(const GameRecord& record, qint64 date);

class BestResults {
public:
    static constexpr int MaxEntries = 10;

    const QList<GameResult>& entries() const { return m_entries; }
    // Puts a result at its place; the place (0 = best), or -1 when it is not among the ten best.
    // Among equal results the one that was there first stays ahead.
    int insert(const GameResult& result);
    void remove(int index);
    void setName(int index, const QString& name);
    // The file names of the entries' replays
    QStringList replays() const;

private:
    QList<GameResult> m_entries;
};

} // namespace fendral
