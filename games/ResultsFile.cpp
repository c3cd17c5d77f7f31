#include "ResultsFile.h"

#include "GameState.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>
#include <limits>
#include <optional>

namespace fendral {

namespace {

    constexpr int FormatVersion = 1;
    constexpr int MaxPurchases = 99;
    constexpr int StrongestComputer = 3;
    constexpr int MaxReplayNameLength = 100;
    const QString teamLetters = QStringLiteral("WXYZ");

    QString playerName(int p) { return QString::fromLatin1(playerNames[p]); }

    // A whole number in [low, high], as JSON holds every number as a double
    std::optional<int> wholeNumber(const QJsonValue& value, int low, int high)
    {
        const double number = value.toDouble(std::nan(""));
        if (!(number >= low && number <= high) || number != std::floor(number))
            return std::nullopt;
        return static_cast<int>(number);
    }

    QJsonObject playerObject(const ResultPlayer& player)
    {
        return { { "player", playerName(player.player) },
            { "team", QString(teamLetters[player.team]) }, { "colour", player.colour },
            { "computer", player.computer } };
    }

    std::optional<ResultPlayer> readPlayer(const QJsonValue& value)
    {
        const QJsonObject object = value.toObject();
        ResultPlayer player;
        player.player = static_cast<int>(
            QList<QString> { playerName(0), playerName(1), playerName(2), playerName(3) }.indexOf(
                object["player"].toString()));
        const QString team = object["team"].toString();
        player.team = team.size() == 1 ? static_cast<int>(teamLetters.indexOf(team)) : -1;
        const auto colour = wholeNumber(object["colour"], 0, ColourCount - 1);
        const auto computer = wholeNumber(object["computer"], 0, StrongestComputer);
        if (player.player < 0 || player.team < 0 || !colour || !computer || object.size() != 4)
            return std::nullopt;
        player.colour = *colour;
        player.computer = *computer;
        return player;
    }

    // One to four different players in different colours, at least one a person
    bool arePlayersSound(const QList<ResultPlayer>& players)
    {
        bool person = false;
        for (int i = 0; i < players.size(); ++i) {
            person = person || players[i].computer == 0;
            for (int k = 0; k < i; ++k) {
                if (players[k].player == players[i].player
                    || players[k].colour == players[i].colour)
                    return false;
            }
        }
        return person && !players.isEmpty() && players.size() <= PlayerCount;
    }

    QJsonObject resultObject(const GameResult& result)
    {
        QJsonArray players;
        for (const ResultPlayer& player : result.players)
            players.append(playerObject(player));
        const QDateTime date = QDateTime::fromMSecsSinceEpoch(result.date, Qt::UTC);
        QJsonObject object { { "date", date.toString(Qt::ISODateWithMs) }, { "name", result.name },
            { "players", players }, { "level", result.levelReached }, { "share", result.share },
            { "deaths", result.deaths }, { "livesBought", result.livesBought } };
        if (!result.replay.isEmpty())
            object["replay"] = result.replay;
        return object;
    }

    // A plain file name in the replays folder: no folder, no way out of it
    bool isReplayName(const QString& name)
    {
        return !name.isEmpty() && name.size() <= MaxReplayNameLength
            && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
            && !name.startsWith(QLatin1Char('.'));
    }

    // The replay's file name, empty for an entry written before results kept their replays;
    // false when the entry holds one that is no plain file name
    bool readReplayName(const QJsonObject& object, QString& name)
    {
        if (!object.contains("replay"))
            return true;
        name = object["replay"].toString();
        return isReplayName(name);
    }

    std::optional<GameResult> readResult(const QJsonValue& value)
    {
        const QJsonObject object = value.toObject();
        GameResult result;
        const QDateTime date = QDateTime::fromString(object["date"].toString(), Qt::ISODateWithMs);
        result.name = object["name"].toString();
        if (!date.isValid() || !object["name"].isString()
            || result.name.size() > ResultsFile::MaxNameLength
            || !readReplayName(object, result.replay)
            || object.size() != 7 + (result.replay.isEmpty() ? 0 : 1))
            return std::nullopt;
        result.date = date.toMSecsSinceEpoch();
        for (const QJsonValue& player : object["players"].toArray()) {
            const auto read = readPlayer(player);
            if (!read)
                return std::nullopt;
            result.players.append(*read);
        }
        const auto level = wholeNumber(object["level"], 1, LastLevel + 1);
        const auto deaths = wholeNumber(object["deaths"], 0, std::numeric_limits<int>::max());
        const auto bought = wholeNumber(object["livesBought"], 0, MaxPurchases);
        result.share = object["share"].toDouble(-1);
        if (!level || !deaths || !bought || !(result.share >= 0 && result.share <= LastLevel)
            || !arePlayersSound(result.players))
            return std::nullopt;
        result.levelReached = *level;
        result.deaths = *deaths;
        result.livesBought = *bought;
        return result;
    }

    // Takes what can be read; false when anything of the file was left out
    bool readContents(const QByteArray& bytes, ResultsFile::Contents& contents)
    {
        QJsonParseError error;
        const QJsonObject root = QJsonDocument::fromJson(bytes, &error).object();
        if (error.error != QJsonParseError::NoError)
            return false;
        bool whole = root.size() == 3 && root["format"] == FormatVersion
            && root["lastName"].isString() && root["results"].isArray();
        if (const QString name = root["lastName"].toString();
            name.size() <= ResultsFile::MaxNameLength)
            contents.lastName = name;
        const QJsonArray results = root["results"].toArray();
        for (const QJsonValue& value : results) {
            const auto result = readResult(value);
            whole = whole && result;
            if (result)
                contents.table.insert(*result);
        }
        return whole && results.size() <= BestResults::MaxEntries;
    }

} // namespace

QString ResultsFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/results.json");
}

ResultsFile::ResultsFile(QString path)
    : m_path(std::move(path))
{
}

ResultsFile::Contents ResultsFile::load()
{
    Contents contents;
    m_setAsidePath.clear();
    m_keepsBadFile = false;
    QFile file(m_path);
    if (!QFileInfo::exists(m_path))
        return contents;
    // Never more is read than a sound file can take, whatever the file claims to be
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = opened ? file.read(MaxFileSize + 1) : QByteArray();
    file.close();
    if (!opened || bytes.size() > MaxFileSize || !readContents(bytes, contents))
        m_keepsBadFile = !setAside();
    return contents;
}

bool ResultsFile::setAside()
{
    const QFileInfo info(m_path);
    const QString stem = info.dir().filePath(info.completeBaseName() + QStringLiteral(".bad-")
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")));
    for (int n = 0; n < 1000; ++n) {
        const QString name
            = stem + (n == 0 ? QString() : QStringLiteral("-") + QString::number(n)) + ".json";
        if (!QFileInfo::exists(name) && QFile::rename(m_path, name)) {
            m_setAsidePath = name;
            return true;
        }
    }
    return false;
}

bool ResultsFile::save(const Contents& contents, QString& error) const
{
    if (m_keepsBadFile) {
        error = QStringLiteral("the damaged file %1 could not be set aside").arg(m_path);
        return false;
    }
    QJsonArray results;
    for (const GameResult& result : contents.table.entries())
        results.append(resultObject(result));
    const QJsonObject root { { "format", FormatVersion },
        { "lastName", contents.lastName.left(MaxNameLength) }, { "results", results } };
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(QJsonDocument(root).toJson(QJsonDocument::Indented)) < 0 || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace fendral
