#include "ReplayFile.h"

#include <QFile>
#include <QSaveFile>

#include <zlib.h>

namespace fendral {

namespace {

    // A game of a day is a few hundred KB; nothing real comes near these
    constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
    constexpr quint32 MaxDecodedSize = 64 * 1024 * 1024;
    // zlib cannot pack more than about 1032 bytes into one
    constexpr quint64 MaxCompressionRatio = 1032;

    // The size the file claims: the big-endian count qCompress puts before the zlib stream
    quint32 claimedSize(const QByteArray& packed)
    {
        const auto byte
            = [&](int i) { return static_cast<quint32>(static_cast<uchar>(packed[i])); };
        return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    }

} // namespace

bool writeReplayFile(const QString& path, const Replay& replay, QString& error)
{
    const std::vector<uint8_t> bytes = encodeReplay(replay);
    const QByteArray packed = qCompress(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size())),
        9);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(packed) != packed.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

std::optional<Replay> readReplayFile(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > MaxFileSize) {
        error = QStringLiteral("the file is too large for a replay");
        return std::nullopt;
    }
    const QByteArray packed = file.readAll();
    if (packed.size() < 4) {
        error = QStringLiteral("not a Fendral replay");
        return std::nullopt;
    }
    const quint32 claimed = claimedSize(packed);
    if (claimed > MaxDecodedSize
        || claimed > static_cast<quint64>(packed.size()) * MaxCompressionRatio) {
        error = QStringLiteral("the file claims %1 bytes of content, more than it can hold")
                    .arg(claimed);
        return std::nullopt;
    }
    // Exactly the claimed size: a stream that unpacks to more or less is refused
    std::vector<uint8_t> bytes(claimed);
    uLongf unpacked = claimed;
    if (uncompress(bytes.data(), &unpacked, reinterpret_cast<const Bytef*>(packed.constData()) + 4,
            static_cast<uLong>(packed.size() - 4))
            != Z_OK
        || unpacked != claimed) {
        error = QStringLiteral("not a Fendral replay, or its compressed data is damaged");
        return std::nullopt;
    }
    std::string reason;
    auto replay = decodeReplay(bytes, reason);
    if (!replay)
        error = QString::fromStdString(reason);
    return replay;
}

} // namespace fendral
