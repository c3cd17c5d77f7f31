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

class SetupDialogTest : public ::testing::Test {
protected:
    template <typename T = QPushButton> T* control(const char* name, int n = -1) const
    {
        T* found = m_dialog->findChild<T*>(name + (n < 0 ? QString() : QString::number(n)));
        EXPECT_NE(found, nullptr) << name << n;
        return found;
    }
    QPushButton* loadButton(int p) const { return control("Button", std::array { 2, 4, 5, 6 }[p]); }

    bool open()
    {
        m_dialog = std::make_unique<SetupDialog>(m_state);
        m_dialog->show();
        return QTest::qWaitForWindowExposed(m_dialog.get());
    }

    // Each player's team, -1 for none; a player in two teams shows as 9
    std::array<int, 4> teams() const
    {
        std::array<int, 4> teamOf { -1, -1, -1, -1 };
        for (int k = 0; k < TeamCount * PlayerCount; ++k) {
            if (m_state.teamAssignment[k / 4][k % 4])
                teamOf[k % 4] = teamOf[k % 4] == -1 ? k / 4 : 9;
        }
        return teamOf;
    }

    GameState m_state;
    std::unique_ptr<SetupDialog> m_dialog;
};

// Random clicks and keys, with the dialog closed and reopened now and then: the settings stay
// such as the settings file takes back, the controls show them, no two players who share a key
// play, a capture never closes the dialog and the last pad chosen holds
TEST_F(SetupDialogTest, AnySequenceOfActionsLeavesValidSettingsThatTheControlsShow)
{
    m_state.teamAssignment[0][0] = 1; // as at program start: Alpha alone in team W
    ASSERT_TRUE(open());
    std::mt19937 random(4'242);
    const auto pick = [&random](size_t n) { return static_cast<int>(random() % n); };
    // Mostly printable keys, with the letters twice: the schemes and the defaults are letters
    const Qt::Key special[] = { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab, Qt::Key_F5, Qt::Key_Up,
        Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Shift, Qt::Key_Adiaeresis };
    const std::array<int, 4> nobody { -1, -1, -1, -1 };
    for (int step = 0; step < 3'000; ++step) {
        SCOPED_TRACE(testing::Message() << "step " << step);
        const int action = pick(9), p = pick(4);
        if (action < 3) {
            QTest::mouseClick(
                pick(4) ? control("bs", pick(16)) : control("pauser"), Qt::LeftButton);
            QTest::keyClick(m_dialog->windowHandle(),
                pick(6) == 0  ? special[pick(std::size(special))]
                    : pick(2) ? Qt::Key(Qt::Key_A + pick(26))
                              : Qt::Key(Qt::Key_Space + pick(64)),
                pick(4) == 0 ? Qt::KeypadModifier : Qt::NoModifier);
            ASSERT_TRUE(m_dialog->isVisible());
        } else if (action < 5) {
            // Seven schemes, a separator, "Gamepad 1" to "Gamepad 4" and "No gamepad"; the
            // player's pad is ticked
            QTest::mouseClick(loadButton(p), Qt::LeftButton);
            const QList<QAction*> items = m_dialog->schemeMenu()->actions();
            for (const QAction* pad : items.mid(SchemeCount + 1))
                EXPECT_EQ(pad->isChecked(), pad->data().toInt() == m_state.padSlot[p]);
            QAction* item = items[pick(items.size())];
            item->trigger();
            m_dialog->schemeMenu()->hide();
            if (item->isCheckable())
                ASSERT_EQ(m_state.padSlot[p], item->data().toInt()) << "the last pad chosen";
        } else if (action < 8) {
            QWidget* const targets[] = { control(pick(2) ? "Button1" : "Button3"), // resets
                control<QCheckBox>("cb", pick(16)), control<ColourShape>("col", p) };
            QTest::mouseClick(targets[action - 5], pick(2) ? Qt::LeftButton : Qt::RightButton);
        } else {
            // Escape closes the dialog, Enter only with someone playing; every change is kept
            const bool enter = pick(2), anyone = teams() != nobody;
            const GameState before = m_state;
            QTest::keyClick(m_dialog->windowHandle(), enter ? Qt::Key_Return : Qt::Key_Escape);
            ASSERT_EQ(m_dialog->isVisible(), enter && !anyone);
            if (!m_dialog->isVisible())
                ASSERT_EQ(m_dialog->result(), enter ? QDialog::Accepted : QDialog::Rejected);
            ASSERT_EQ(savedSettings(m_state), savedSettings(before));
            ASSERT_EQ(m_state.teamAssignment, before.teamAssignment);
        }
        ASSERT_TRUE(passesValidation(m_state));
        if (!m_dialog->isVisible())
            ASSERT_TRUE(open());
        const auto& keys = m_state.controlKeys;
        for (int k = 0; k < 16; ++k) {
            const int code = keys[k / 4][k % 4];
            const bool shared = std::count(&keys[0][0], &keys[0][0] + 16, code) > 1;
            EXPECT_EQ(control("bs", k)->text(), (shared ? "! " : "") + keyName(code));
            EXPECT_EQ(
                control<QCheckBox>("cb", k)->isChecked(), m_state.teamAssignment[k / 4][k % 4]);
        }
        EXPECT_EQ(control("pauser")->text(), keyName(m_state.pauseKey));
        const std::array<int, 4> teamOf = teams();
        EXPECT_EQ(control("start")->isEnabled(), teamOf != nobody);
        for (int p = 0; p < PlayerCount; ++p) {
            const auto colour = qtColour(defaultColours[m_state.colourChoice[p]]);
            EXPECT_EQ(control<ColourShape>("col", p)->fill(), colour);
            const int pad = m_state.padSlot[p];
            EXPECT_EQ(
                loadButton(p)->toolTip(), pad == NoPad ? "" : QString("Gamepad %1").arg(pad + 1));
            EXPECT_EQ(loadButton(p)->icon().isNull(), pad == NoPad);
            EXPECT_LT(teamOf[p], TeamCount);
            for (int q = 0; q < p && teamOf[p] >= 0; ++q) {
                const bool apart = teamOf[q] < 0
                    || std::ranges::find_first_of(keys[p], keys[q]) == keys[p].end();
                EXPECT_TRUE(apart) << p << " and " << q << " play though they share a key";
            }
        }
    }
}
