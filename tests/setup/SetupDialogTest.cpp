// The setup dialog driven like a user would, by mouse clicks on its controls and key presses
#include "SetupDialog.h"
#include "KeyNames.h"
#include "ValidSettings.h"
#include "Widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

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
    // In how many teams each player plays
    std::array<int, 4> teams() const
    {
        std::array<int, 4> count {};
        for (int k = 0; k < TeamCount * PlayerCount; ++k)
            count[k % 4] += m_state.teamAssignment[k / 4][k % 4];
        return count;
    }
    GameState m_state;
    std::unique_ptr<SetupDialog> m_dialog;
};

// Random clicks and keys, reopening the dialog now and then: the settings stay valid and shown
TEST_F(SetupDialogTest, AnySequenceOfActionsLeavesValidSettingsThatTheControlsShow)
{
    m_state.teamAssignment[0][0] = 1; // as at program start: Alpha alone in team W
    ASSERT_TRUE(open());
    std::mt19937 random(4'242);
    const auto pick = [&random](size_t n) { return static_cast<int>(random() % n); };
    // Mostly printable keys, from Space to the underscore
    const Qt::Key special[] = { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab, Qt::Key_F5, Qt::Key_Up,
        Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Shift, Qt::Key_Adiaeresis };
    for (int step = 0; step < 3'000; ++step) {
        SCOPED_TRACE(testing::Message() << "step " << step);
        const int action = pick(9), p = pick(4);
        if (action < 3) {
            const int k = pick(16);
            QPushButton* keyButton = pick(4) ? control("bs", k) : control("pauser");
            const bool computers = keyButton->text() == "Computer";
            QTest::mouseClick(keyButton, Qt::LeftButton);
            // A computer player's key buttons wait for no key
            if (computers) {
                ASSERT_TRUE(keyButton->text() == "Computer" && m_state.computer[k / 4] != 0);
                continue;
            }
            QTest::keyClick(m_dialog->windowHandle(),
                pick(6) ? Qt::Key(Qt::Key_Space + pick(64)) : special[pick(std::size(special))],
                pick(4) == 0 ? Qt::KeypadModifier : Qt::NoModifier);
            ASSERT_TRUE(m_dialog->isVisible());
        } else if (action < 5) {
            QTest::mouseClick(loadButton(p), Qt::LeftButton);
            // Schemes, a separator, the pads and "No gamepad", a separator, the three computers
            const QList<QAction*> items = m_dialog->schemeMenu()->actions();
            QAction* item = items[pick(items.size())];
            const bool computer = item->text().startsWith("Computer: ");
            item->trigger();
            m_dialog->schemeMenu()->hide();
            ASSERT_TRUE(
                !item->isCheckable() || computer || m_state.padSlot[p] == item->data().toInt())
                << "the last pad chosen";
            ASSERT_TRUE(item->isSeparator() || !item->isEnabled()
                || m_state.computer[p] == (computer ? item->data().toInt() : 0));
        } else if (action < 7) {
            const int box = pick(16);
            QWidget* const targets[] = { control(pick(2) ? "Button1" : "Button3"), // resets
                control<QCheckBox>("cb", box) };
            const std::array<int, 4> before = teams();
            QTest::mouseClick(targets[action - 5], pick(2) ? Qt::LeftButton : Qt::RightButton);
            // A computer player clashes with nobody: ticking a box never drops one, nor is a
            // person dropped for a computer's keys
            for (int q = 0; q < PlayerCount && action == 6; ++q)
                ASSERT_TRUE(q == box % 4 || !(m_state.computer[q] || m_state.computer[box % 4])
                    || teams()[q] == before[q])
                    << "player " << q;
        } else if (action < 8) { // the colour rule itself: the table below
            QTest::mouseClick(
                control<ColourShape>("col", p), pick(2) ? Qt::LeftButton : Qt::RightButton);
        } else {
            // Escape closes the dialog, Enter only with someone playing; every change is kept
            const bool enter = pick(2), anyone = teams() != std::array<int, 4> {};
            const GameState before = m_state;
            QTest::keyClick(m_dialog->windowHandle(), enter ? Qt::Key_Return : Qt::Key_Escape);
            ASSERT_EQ(m_dialog->isVisible(), enter && !anyone);
            ASSERT_TRUE(savedSettings(m_state) == savedSettings(before)
                && m_state.teamAssignment == before.teamAssignment);
        }
        ASSERT_TRUE(passesValidation(m_state));
        ASSERT_TRUE(allowsTeams(m_state)) << "someone in two teams, or two people playing one key";
        ASSERT_TRUE(m_dialog->isVisible() || open());
        const auto& keys = m_state.controlKeys;
        const auto person = [this](int p) { return m_state.computer[p] == 0; };
        for (int k = 0; k < 16; ++k) {
            const int code = keys[k / 4][k % 4];
            int holders = 0; // the people whose keys include this one
            for (int q = 0; q < PlayerCount; ++q)
                holders += person(q) && std::ranges::count(keys[q], code);
            EXPECT_EQ(control("bs", k)->text(),
                person(k / 4) ? (holders > 1 ? "! " : "") + keyName(code) : "Computer");
            EXPECT_EQ(
                control<QCheckBox>("cb", k)->isChecked(), m_state.teamAssignment[k / 4][k % 4]);
        }
        EXPECT_EQ(control("pauser")->text(), keyName(m_state.pauseKey));
        EXPECT_EQ(control("start")->isEnabled(), (teams() != std::array<int, 4> {}));
        for (int p = 0; p < PlayerCount; ++p) {
            // The six colours of the players, as the dialog shows them
            const QColor colours[] = { { 0xD0, 0, 0 }, { 0x37, 0xA2, 0x3D }, { 0xF8, 0xAD, 0x23 },
                { 0xF9, 0xFF, 0 }, { 0x68, 0x9C, 0xFD }, { 0x88, 0x17, 0x80 } };
            EXPECT_EQ(control<ColourShape>("col", p)->fill(), colours[m_state.colourChoice[p]]);
            const int pad = m_state.padSlot[p];
            const char* strengths[] = { "easy", "normal", "hard" };
            EXPECT_EQ(loadButton(p)->toolTip(),
                !person(p)    ? QString("Computer: ") + strengths[m_state.computer[p] - 1]
                    : pad < 0 ? ""
                              : QString("Gamepad %1 (not connected)").arg(pad + 1));
        }
    }
}

// A click on a colour moves it on (left) or back (right), past the colours of players who play;
// an idle player who loses its colour takes the first free one after it
TEST_F(SetupDialogTest, AColourClickPassesOverPlayingPlayersAndMovesAnIdleOneOn)
{
    const struct {
        std::array<int, 4> colours, playing;
        int player;
        Qt::MouseButton button;
        std::array<int, 4> after;
    } clicks[] = { { { 0, 1, 2, 3 }, { 1, 0, 0, 0 }, 1, Qt::LeftButton, { 0, 2, 4, 3 } },
        { { 0, 1, 2, 3 }, { 1, 0, 0, 0 }, 1, Qt::RightButton, { 0, 5, 2, 3 } },
        { { 0, 1, 2, 3 }, { 0, 0, 1, 0 }, 1, Qt::RightButton, { 1, 0, 2, 3 } },
        { { 5, 0, 1, 3 }, { 0, 1, 0, 0 }, 0, Qt::LeftButton, { 1, 0, 2, 3 } },
        { { 0, 1, 2, 3 }, { 1, 1, 1, 0 }, 3, Qt::RightButton, { 0, 1, 2, 5 } },
        { { 4, 0, 5, 2 }, { 0, 0, 0, 1 }, 2, Qt::LeftButton, { 4, 1, 0, 2 } } };
    for (const auto& click : clicks) {
        m_state.colourChoice = click.colours;
        for (int p = 0; p < PlayerCount; ++p)
            m_state.teamAssignment[p][p] = click.playing[p];
        ASSERT_TRUE(open());
        QTest::mouseClick(control<ColourShape>("col", click.player), click.button);
        EXPECT_EQ(m_state.colourChoice, click.after) << "player " << click.player;
    }
}
