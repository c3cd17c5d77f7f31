// The setup dialog driven like a user would: mouse clicks on its controls and key presses
#include "SetupDialog.h"
#include "GameState.h"
#include "KeyNames.h"
#include "QtColour.h"
#include "ValidSettings.h"
#include "Widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

using namespace fendral;

namespace {

constexpr std::array<int, 4> NobodyPlays { -1, -1, -1, -1 };

// Each player's team, -1 for none; a player in two teams shows as 9
std::array<int, 4> teams(const GameState& state)
{
    std::array<int, 4> teamOf = NobodyPlays;
    for (int k = 0; k < TeamCount * PlayerCount; ++k) {
        if (state.teamAssignment[k / 4][k % 4])
            teamOf[k % 4] = teamOf[k % 4] == -1 ? k / 4 : 9;
    }
    return teamOf;
}

template <typename T = QPushButton> T* control(const QWidget* dialog, const char* name, int n = -1)
{
    T* found = dialog->findChild<T*>(name + (n < 0 ? QString() : QString::number(n)));
    EXPECT_NE(found, nullptr) << name << n;
    return found;
}

} // namespace

// Random clicks and keys, with the dialog closed and reopened now and then: the settings stay
// such as the settings file takes back, the controls show them, no two players who share a key
// play, a capture never closes the dialog and the last pad chosen holds
TEST(SetupDialog, AnySequenceOfActionsLeavesValidSettingsThatTheControlsShow)
{
    GameState state;
    state.teamAssignment[0][0] = 1; // as at program start: Alpha alone in team W
    std::unique_ptr<SetupDialog> dialog;
    const auto open = [&] {
        dialog = std::make_unique<SetupDialog>(state);
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog.get());
    };
    ASSERT_TRUE(open());
    std::mt19937 random(4'242);
    const auto pick = [&random](size_t n) { return static_cast<int>(random() % n); };
    const auto press = [&](Qt::Key key) { QTest::keyClick(dialog->windowHandle(), key); };
    const auto loadButton = [&](int p) {
        return control(dialog.get(), "Button", std::array { 2, 4, 5, 6 }[p]);
    };
    // Mostly printable keys, with the letters twice: the schemes and the defaults are letters
    const Qt::Key special[] = { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab, Qt::Key_F5, Qt::Key_Up,
        Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Shift, Qt::Key_Adiaeresis };
    for (int step = 0; step < 3'000; ++step) {
        SCOPED_TRACE(testing::Message() << "step " << step);
        const int action = pick(9), p = pick(4);
        if (action < 3) {
            QTest::mouseClick(
                pick(4) ? control(dialog.get(), "bs", pick(16)) : control(dialog.get(), "pauser"),
                Qt::LeftButton);
            QTest::keyClick(dialog->windowHandle(),
                pick(6) == 0  ? special[pick(std::size(special))]
                    : pick(2) ? Qt::Key(Qt::Key_A + pick(26))
                              : Qt::Key(Qt::Key_Space + pick(64)),
                pick(4) == 0 ? Qt::KeypadModifier : Qt::NoModifier);
            ASSERT_TRUE(dialog->isVisible());
        } else if (action < 5) {
            // The menu: seven schemes, a separator, then "Gamepad 1" to "Gamepad 4" and "No
            // gamepad"
            QTest::mouseClick(loadButton(p), Qt::LeftButton);
            const QList<QAction*> items = dialog->schemeMenu()->actions();
            for (const QAction* pad : items.mid(SchemeCount + 1))
                EXPECT_EQ(pad->isChecked(), pad->data().toInt() == state.padSlot[p])
                    << "the pad of " << p;
            QAction* item = items[pick(items.size())];
            item->trigger();
            dialog->schemeMenu()->hide();
            if (item->isCheckable())
                ASSERT_EQ(state.padSlot[p], item->data().toInt()) << "the last pad chosen";
        } else if (action < 8) {
            QWidget* const targets[]
                = { control(dialog.get(), pick(2) ? "Button1" : "Button3"), // resets
                      control<QCheckBox>(dialog.get(), "cb", pick(16)),
                      control<ColourShape>(dialog.get(), "col", p) };
            QTest::mouseClick(targets[action - 5], pick(2) ? Qt::LeftButton : Qt::RightButton);
        } else {
            // Escape closes the dialog, Enter only with someone playing; every change is kept
            const bool enter = pick(2), anyone = teams(state) != NobodyPlays;
            const GameState before = state;
            press(enter ? Qt::Key_Return : Qt::Key_Escape);
            ASSERT_EQ(dialog->isVisible(), enter && !anyone);
            if (!dialog->isVisible())
                ASSERT_EQ(dialog->result(), enter ? QDialog::Accepted : QDialog::Rejected);
            ASSERT_EQ(savedSettings(state), savedSettings(before));
            ASSERT_EQ(state.teamAssignment, before.teamAssignment);
        }
        ASSERT_TRUE(passesValidation(state));
        if (!dialog->isVisible())
            ASSERT_TRUE(open());
        const auto& keys = state.controlKeys;
        for (int k = 0; k < 16; ++k) {
            const bool shared = std::count(&keys[0][0], &keys[0][0] + 16, keys[k / 4][k % 4]) > 1;
            EXPECT_EQ(control(dialog.get(), "bs", k)->text(),
                (shared ? "! " : "") + keyName(keys[k / 4][k % 4]));
            EXPECT_EQ(control<QCheckBox>(dialog.get(), "cb", k)->isChecked(),
                state.teamAssignment[k / 4][k % 4]);
        }
        EXPECT_EQ(control(dialog.get(), "pauser")->text(), keyName(state.pauseKey));
        const std::array<int, 4> teamOf = teams(state);
        EXPECT_EQ(control(dialog.get(), "start")->isEnabled(), teamOf != NobodyPlays);
        for (int p = 0; p < PlayerCount; ++p) {
            EXPECT_EQ(control<ColourShape>(dialog.get(), "col", p)->fill(),
                qtColour(defaultColours[state.colourChoice[p]]));
            const int pad = state.padSlot[p];
            EXPECT_EQ(
                loadButton(p)->toolTip(), pad == NoPad ? "" : QString("Gamepad %1").arg(pad + 1));
            EXPECT_EQ(loadButton(p)->icon().isNull(), pad == NoPad);
            EXPECT_LT(teamOf[p], TeamCount);
            for (int q = 0; q < p; ++q) {
                EXPECT_TRUE(teamOf[p] < 0 || teamOf[q] < 0
                    || std::find_first_of(
                           keys[p].begin(), keys[p].end(), keys[q].begin(), keys[q].end())
                        == keys[p].end())
                    << p << " and " << q << " play though they share a key";
            }
        }
    }
}
