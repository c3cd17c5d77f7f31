// A golden game of the engine tests, read for the tests of the files and the command line
#pragma once

#include "Replay.h"

#include <QFile>
#include <QString>

inline fendral::Replay goldenGame(const char* name = "two-teams-revived")
{
    QFile file(QStringLiteral(FENDRAL_GOLDEN_DIR "/%1.replay").arg(QLatin1String(name)));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    std::string error;
    return fendral::decodeReplay({ reinterpret_cast<const uint8_t*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size()) },
        error)
        .value_or(fendral::Replay {});
}
