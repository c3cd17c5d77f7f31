// The best results: always the ten best in order, and a bad file never costs a result it holds
#include "ResultsFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace fendral;

class ResultsTable : public ::testing::Test {
protected:
    int pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    // Few distinct values, so that results tie on every part of the ranking
    GameResult randomResult()
    {
        GameResult result { 1'700'000'000'000 + pick(4) * 1000,
            QString(pick(41), QChar('a' + pick(26))), {}, 1 + pick(51), pick(5) * 0.25, pick(300),
            pick(4) == 0 ? 1 + pick(99) : 0, pick(2) ? QString() : QString("%1.r").arg(pick(9)) };
        const int shift = pick(6);
        for (int p = pick(4), players = 1 + pick(4); players > 0; --players, p = (p + 1) % 4)
            result.players.append(
                { p, pick(4), (p + shift) % 6, result.players.isEmpty() ? 0 : pick(4) });
        return result;
    }
    // The ten best of everything entered, by a ranking written out here: a stable sort of the
    // results as they came, no bought lives first, then level, share and date
    QList<GameResult> tenBest() const
    {
        QList<GameResult> sorted = m_entered;
        std::ranges::stable_sort(sorted, std::greater {}, [](const GameResult& r) {
            return std::tuple(r.livesBought == 0, r.levelReached, r.share, -r.date);
        });
        return sorted.mid(0, 10);
    }
    QByteArray fileBytes(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    }
    void write(const QByteArray& bytes)
    {
        QFile file(m_file.path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    std::mt19937 m_random { 2026 };
    QTemporaryDir m_dir;
    ResultsFile m_file { m_dir.filePath("Fendral/results.json") };
    QList<GameResult> m_entered;
};

TEST_F(ResultsTable, HoldsTheTenBestInOrderAndABadFileLosesNoResultItCouldRead)
{
    // Values that no result can hold, and a field of no result; two players of one colour
    const auto player = [](const char* name) {
        return QJsonObject { { "player", name }, { "team", "W" }, { "colour", 1 },
            { "computer", 0 } };
    };
    const std::pair<const char*, QJsonValue> spoilers[] = { { "date", -1 }, { "date", "May" },
        { "name", 1 }, { "name", QString(41, 'x') }, { "level", 0 }, { "level", 52 },
        { "level", 1.5 }, { "share", -0.25 }, { "share", "1" }, { "share", 1e300 },
        { "deaths", -1 }, { "livesBought", 100 }, { "players", QJsonArray() }, { "extra", 1 },
        { "replay", "" }, { "replay", "../x" }, { "replay", "a/x" }, { "replay", 7 },
        { "players", QJsonArray { player("Alpha"), player("Beta") } } };
    ResultsFile::Contents contents;
    QString error;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        for (int i = pick(4); i > 0; --i) {
            m_entered.append(randomResult());
            const int place = contents.table.insert(m_entered.back());
            ASSERT_TRUE(place < 0
                    ? contents.table.entries().size() == 10
                    : place < 10 && contents.table.entries()[place] == m_entered.back());
        }
        ASSERT_EQ(contents.table.entries(), tenBest());
        const QString name = contents.lastName = QString(pick(40), 'n');
        ASSERT_TRUE(m_file.save(contents, error)) << error.toStdString();
        const QByteArray good = fileBytes(m_file.path());
        QJsonObject root = QJsonDocument::fromJson(good).object();
        QJsonArray results = root["results"].toArray();
        const int kind = results.isEmpty() ? 3 : pick(4);
        m_entered = contents.table.entries(); // in the file's order
        if (kind == 0) { // one result spoilt: it alone is dropped
            const int spoilt = pick(results.size());
            QJsonObject result = results[spoilt].toObject();
            const auto& [field, value] = spoilers[pick(std::size(spoilers))];
            result[field] = value;
            results[spoilt] = result;
            m_entered.removeAt(spoilt);
        } else if (kind == 1) { // more than ten: the ten best of them are taken
            while (results.size() <= 10) {
                const int copied = pick(results.size());
                results.append(results[copied]);
                m_entered.append(m_entered[copied]);
            }
        }
        root["results"] = results;
        if (kind < 2)
            write(QJsonDocument(root).toJson());
        if (kind == 2) { // cut anywhere, and bytes changed at random
            QByteArray bytes = good.left(pick(good.size()));
            for (int i = pick(3); i > 0 && !bytes.isEmpty(); --i)
                bytes[pick(bytes.size())] = static_cast<char>(pick(256));
            write(bytes);
        }
        const QByteArray stored = fileBytes(m_file.path());
        contents = m_file.load();
        const auto& entries = contents.table.entries();
        ASSERT_TRUE(entries.size() <= 10
            && std::ranges::is_sorted(entries, [](auto& a, auto& b) { return ranksBefore(a, b); }));
        // A file set aside is kept whole; one that is not is left as it was
        ASSERT_EQ(
            fileBytes(m_file.setAsidePath().isEmpty() ? m_file.path() : m_file.setAsidePath()),
            stored);
        if (kind != 2) {
            ASSERT_EQ(m_file.setAsidePath().isEmpty(), kind == 3);
            ASSERT_EQ(entries, tenBest());
            ASSERT_EQ(contents.lastName, name);
        }
        m_entered = entries;
    }
}
