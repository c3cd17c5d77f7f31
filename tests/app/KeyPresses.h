// Real Qt key events for virtual-key codes: for every code, the Qt key events that the program's
// one translation turns into it, found by trying every Qt key it could know
#pragma once

#include "KeyTranslation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <array>
#include <vector>

struct KeyPress {
    int key; // a Qt::Key
    Qt::KeyboardModifiers modifiers;
    quint32 keysym; // the X keysym, 0 for none

    QKeyEvent event(QEvent::Type type = QEvent::KeyPress, bool autoRepeat = false) const
    {
        return QKeyEvent(type, key, modifiers, 0, keysym, 0, QString(), autoRepeat);
    }
    // Delivers the press to the widget as the window system would hand it over
    bool sendTo(QWidget* widget, bool autoRepeat = false) const
    {
        QKeyEvent press = event(QEvent::KeyPress, autoRepeat);
        QApplication::sendEvent(widget, &press);
        return press.isAccepted();
    }
};

using KeyPressTable = std::array<std::vector<KeyPress>, 256>;

inline KeyPressTable keyPressesByCode()
{
    KeyPressTable table;
    const auto add = [&table](const KeyPress& press) {
        const int code = fendral::virtualKeyCode(press.event());
        if (code > 0 && code < 256)
            table[code].push_back(press);
    };
    // Latin-1 keys and the special keys (Escape, arrows, function keys, modifiers, media keys),
    // on the main keyboard and on the keypad; then the keypad's own keysyms
    for (const auto modifiers : { Qt::NoModifier, Qt::KeypadModifier }) {
        for (int key = 0x20; key <= 0xff; ++key)
            add({ key, modifiers, 0 });
        for (int key = Qt::Key_Escape; key <= Qt::Key_Escape + 0x1ff; ++key)
            add({ key, modifiers, 0 });
    }
    for (quint32 keysym = 0xff00; keysym <= 0xffff; ++keysym)
        add({ Qt::Key_unknown, Qt::KeypadModifier, keysym });
    return table;
}
