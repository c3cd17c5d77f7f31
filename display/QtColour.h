// The one place where the game's 0x00BBGGRR colours become Qt colours
#pragma once

#include "GameState.h"

#include <QColor>
#include <QRgb>

namespace fendral {

constexpr QRgb qtRgb(Colour c)
{
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
        static_cast<int>((c >> 16) & 0xFF));
}

inline QColor qtColour(Colour c) { return QColor::fromRgb(qtRgb(c)); }

} // namespace fendral
