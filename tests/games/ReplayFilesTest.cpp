// Replay files on disk: the store of the last fifty games, and hostile compressed data
#include "GoldenGame.h"
#include "ReplayFile.h"
#include "ReplayStore.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendral;

TEST(ReplayFiles, TheStoreKeepsTheNewestFiftyGamesWholeAndNoDamagedOne)
{
    QTemporaryDir folder;
    ReplayStore store(folder.filePath(QStringLiteral("replays")));
    Replay replay = goldenGame();
    ASSERT_FALSE(replay.events.empty());
    // Saved in a shuffled order of dates, two of them equal; the first, the oldest, is a best
    // result's replay and stays beside the fifty newest
    QStringList best;
    for (int i = 0; i < 53; ++i) {
        replay.header.date = 1'700'000'000'000 + (i * 37 % 53) * 1000;
        QString error;
        const QString path = store.save(replay, error, best);
        EXPECT_FALSE(path.isEmpty()) << error.toStdString();
        if (i == 0)
            best = { QFileInfo(path).fileName() };
    }
    replay.header.date = 1'700'000'000'000 + 52 * 1000;
    QString error;
    store.save(replay, error, best);
    QList<ReplayStore::Entry> games = store.games();
    ASSERT_EQ(games.size(), ReplayStore::KeptGames + 1);
    EXPECT_EQ(games.takeLast().replay.header.date, 1'700'000'000'000);
    EXPECT_EQ(games.front().replay, replay);
    EXPECT_EQ(games.front().replay.header.date - games.back().replay.header.date, 48 * 1000);
    EXPECT_TRUE(store.remove(games.front().path));
    EXPECT_EQ(store.games().size(), ReplayStore::KeptGames);
    // Damaged files are refused with a reason and left out of the list: a size claimed past what
    // the data holds or short of it (the first four bytes), data cut short, foreign bytes
    QFile file(games.back().path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray valid = file.readAll();
    for (const QByteArray& bytes : { QByteArray::fromHex("FFFFFFFF") + valid.mid(4),
             QByteArray::fromHex("00000003") + valid.mid(4), valid.left(valid.size() / 2),
             QByteArray(3, 'x'), QByteArray(5000, '\x7f') }) {
        file.resize(0);
        file.seek(0);
        file.write(bytes);
        file.flush();
        QString reason;
        EXPECT_FALSE(readReplayFile(file.fileName(), reason)) << bytes.size();
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_EQ(store.games().size(), ReplayStore::KeptGames - 1);
    }
    // A folder that cannot be made costs the replay, with a reason
    ReplayStore blocked(games.back().path + QStringLiteral("/replays"));
    EXPECT_TRUE(blocked.save(replay, error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}
