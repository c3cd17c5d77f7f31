// The popup menu of a Load button: the key schemes, the gamepads and the computer players
#pragma once

#include <QMenu>
#include <QString>

#include <array>

class QActionGroup;

namespace fendral {

struct GameState;

// Schemes first, then "Gamepad 1".."Gamepad 4" and "No gamepad", then "Computer: easy",
// "Computer: normal" and "Computer: hard"; a separator between the groups. The menu's object
// name is the design's "mnu".
class LoadMenu : public QMenu {
    Q_OBJECT
public:
    explicit LoadMenu(QWidget* parent);

    // Ticks what steers player p now: its pad, or the computer's strength.
    void tickChoicesOf(const GameState& state, int p);
    // A direction on the pause key could never steer, and the next start would find the key set
    // invalid and reset all seventeen keys: such a scheme is offered disabled.
    void enableSchemes(int pauseKey);
    // Names each pad item by the pad connected in its slot, or "not connected".
    void showPadNames(const std::array<QString, 4>& names);

signals:
    void schemeChosen(int scheme);
    void padChosen(int slot);
    void computerChosen(int strength);

private:
    void addPadItems();
    void addComputerItems();

    QActionGroup* m_padItems = nullptr; // "Gamepad 1".."Gamepad 4", then "No gamepad"
    QActionGroup* m_computerItems = nullptr; // the three strengths
};

// Whether key scheme s holds this key
bool schemeHolds(int scheme, int key);

} // namespace fendral
