#include "LoadMenu.h"

#include "GameState.h"
#include "PlayerRow.h"

#include <QAction>
#include <QActionGroup>

#include <algorithm>

namespace fendral {

namespace {
    constexpr const char* schemeNames[SchemeCount]
        = { "Arrows", "Num8546", "WSAD", "RFDG", "P;L'", "Num5639", "SAQZ" };
}

bool schemeHolds(int scheme, int key)
{
    const auto& keys = ControlScheme[scheme];
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

LoadMenu::LoadMenu(QWidget* parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("mnu"));
    for (int s = 0; s < SchemeCount; ++s) {
        QAction* item = addAction(QString::fromLatin1(schemeNames[s]));
        connect(item, &QAction::triggered, this, [this, s] { emit schemeChosen(s); });
    }
    addPadItems();
    addComputerItems();
}

// Below the schemes, the pads: a player keeps its keys and may steer with a pad besides them
void LoadMenu::addPadItems()
{
    addSeparator();
    m_padItems = new QActionGroup(this);
    for (int item = 0; item <= PadCount; ++item) {
        const int slot = item < PadCount ? item : NoPad;
        QAction* action
            = addAction(slot == NoPad ? QStringLiteral("No gamepad") : padCaption(slot, {}));
        action->setCheckable(true);
        action->setData(slot);
        m_padItems->addAction(action);
        connect(action, &QAction::triggered, this, [this, slot] { emit padChosen(slot); });
    }
}

// Last, the computer at its three strengths: it steers the player instead of keys and pads
void LoadMenu::addComputerItems()
{
    addSeparator();
    m_computerItems = new QActionGroup(this);
    for (int strength = 1; strength <= ComputerStrengths; ++strength) {
        QAction* action = addAction(computerCaption(strength));
        action->setCheckable(true);
        action->setData(strength);
        m_computerItems->addAction(action);
        connect(
            action, &QAction::triggered, this, [this, strength] { emit computerChosen(strength); });
    }
}

void LoadMenu::tickChoicesOf(const GameState& state, int p)
{
    const bool person = state.computer[p] == Person;
    for (QAction* action : m_padItems->actions())
        action->setChecked(person && action->data().toInt() == state.padSlot[p]);
    for (QAction* action : m_computerItems->actions())
        action->setChecked(action->data().toInt() == state.computer[p]);
}

void LoadMenu::showPadNames(const std::array<QString, 4>& names)
{
    for (QAction* action : m_padItems->actions()) {
        if (const int slot = action->data().toInt(); slot != NoPad)
            action->setText(padCaption(slot, names[slot]));
    }
}

void LoadMenu::enableSchemes(int pauseKey)
{
    const QList<QAction*> items = actions();
    for (int s = 0; s < SchemeCount; ++s)
        items[s]->setEnabled(!schemeHolds(s, pauseKey));
}

} // namespace fendral
