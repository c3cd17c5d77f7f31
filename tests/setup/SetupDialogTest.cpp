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

// Readable QStrings in failure messages
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// The menu: seven schemes, a separator, then "Gamepad 1" to "Gamepad 4" and "No gamepad"
constexpr int PadItem = SchemeCount + 1;

class SetupDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_state.teamAssignment[0][0] = 1; // as at program start: Alpha alone in team W
        open();
    }

    void open()
    {
        m_dialog = std::make_unique<SetupDialog>(m_state);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    template <typename T = QPushButton> T* control(const QString& name) const
    {
        T* found = m_dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QCheckBox* teamBox(int t, int p) const
    {
        return control<QCheckBox>(QString("cb%1").arg(4 * t + p));
    }
    QPushButton* keyButton(int p, int d) const { return control(QString("bs%1").arg(4 * p + d)); }
    QPushButton* loadButton(int p) const
    {
        return control(QString("Button%1").arg(QList { 2, 4, 5, 6 }[p]));
    }
    ColourShape* colourShape(int p) const { return control<ColourShape>(QString("col%1").arg(p)); }

    static void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(widget, button);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTest::keyClick(m_dialog->windowHandle(), key, modifiers);
    }

    // Clicks a key button and presses a key while it waits
    void capture(QPushButton* keyButton, Qt::Key key) const
    {
        click(keyButton);
        EXPECT_EQ(keyButton->text(), "...");
        press(key);
    }

    // Opens player p's Load menu, which ticks the player's pad, and triggers an item of it
    QAction* choose(int p, int item) const
    {
        click(loadButton(p));
        const QList<QAction*> items = m_dialog->schemeMenu()->actions();
        for (const QAction* pad : items.mid(PadItem))
            EXPECT_EQ(pad->isChecked(), pad->data().toInt() == m_state.padSlot[p]);
        items[item]->trigger();
        m_dialog->schemeMenu()->hide();
        return items[item];
    }

    // Each player's team, -1 for none; a player in two teams shows as 9
    std::array<int, 4> teams() const
    {
        std::array<int, 4> teamOf { -1, -1, -1, -1 };
        for (int t = 0; t < TeamCount; ++t) {
            for (int p = 0; p < PlayerCount; ++p) {
                if (m_state.teamAssignment[t][p])
                    teamOf[p] = teamOf[p] == -1 ? t : 9;
            }
        }
        return teamOf;
    }

    // What the controls must show of the state, and that no two playing players share a key
    void expectControlsShowTheState() const
    {
        for (int k = 0; k < 16; ++k) {
            const int code = m_state.controlKeys[k / 4][k % 4];
            const bool shared
                = std::count(&m_state.controlKeys[0][0], &m_state.controlKeys[0][0] + 16, code) > 1;
            EXPECT_EQ(keyButton(k / 4, k % 4)->text(), (shared ? "! " : "") + keyName(code));
            EXPECT_EQ(teamBox(k / 4, k % 4)->isChecked(), m_state.teamAssignment[k / 4][k % 4]);
        }
        EXPECT_EQ(control("pauser")->text(), keyName(m_state.pauseKey));
        const std::array<int, 4> teamOf = teams();
        for (int p = 0; p < PlayerCount; ++p) {
            EXPECT_EQ(colourShape(p)->fill(), qtColour(defaultColours[m_state.colourChoice[p]]));
            EXPECT_LT(teamOf[p], TeamCount);
            const int pad = m_state.padSlot[p];
            EXPECT_EQ(
                loadButton(p)->toolTip(), pad == NoPad ? "" : QString("Gamepad %1").arg(pad + 1));
            EXPECT_EQ(loadButton(p)->icon().isNull(), pad == NoPad);
            for (int q = 0; q < p; ++q) {
                const auto &mine = m_state.controlKeys[p], &theirs = m_state.controlKeys[q];
                EXPECT_TRUE(teamOf[p] < 0 || teamOf[q] < 0
                    || std::find_first_of(mine.begin(), mine.end(), theirs.begin(), theirs.end())
                        == mine.end())
                    << p << " and " << q << " play though they share a key";
            }
        }
        EXPECT_EQ(control("start")->isEnabled(), teamOf != (std::array { -1, -1, -1, -1 }));
    }

    GameState m_state;
    std::unique_ptr<SetupDialog> m_dialog;
};

} // namespace

TEST_F(SetupDialogTest, HasItsCaptionSizeAndALoadButtonBesideEachPlayer)
{
    EXPECT_EQ(m_dialog->windowTitle(), "Fendral - Starting");
    EXPECT_EQ(m_dialog->size(), QSize(465, 161));
    for (int p = 0; p < PlayerCount; ++p)
        EXPECT_EQ(loadButton(p)->geometry(), QRect(432, 24 + 24 * p, 25, 17));
    EXPECT_EQ(keyButton(2, 2)->text(), "! D"); // Gamma and Delta share D from the start
}

TEST_F(SetupDialogTest, PlayersWhoShareAKeyNeverPlayTogether)
{
    click(teamBox(1, 2));
    click(teamBox(2, 3)); // Delta takes Gamma out, Alpha shares nothing and stays
    EXPECT_EQ(teams(), (std::array { 0, -1, -1, 2 }));
    click(teamBox(1, 1));
    capture(keyButton(1, 0), Qt::Key_Up); // Alpha's Up for Beta: the teams are reset
    EXPECT_EQ(teams(), (std::array { 0, -1, -1, -1 }));
}

TEST_F(SetupDialogTest, ColoursOfPlayingPlayersAreSkippedAndIdleOnesTaken)
{
    click(teamBox(1, 1)); // Alpha and Beta play
    click(colourShape(0));
    // Beta's colour 1 is skipped, idle Gamma loses 2 and moves on to the first free one
    EXPECT_EQ(m_state.colourChoice, (std::array { 2, 1, 4, 3 }));
    click(colourShape(0), Qt::RightButton); // backwards, past Beta again
    EXPECT_EQ(m_state.colourChoice, (std::array { 0, 1, 4, 3 }));
}

TEST_F(SetupDialogTest, ASchemeFromTheMenuIsTakenUnlessItHoldsThePauseKey)
{
    capture(control("pauser"), Qt::Key_Q);
    choose(2, 2); // WSAD, Delta's keys, for Gamma
    EXPECT_EQ(m_state.controlKeys[2], ControlScheme[2]);
    EXPECT_FALSE(choose(0, 6)->isEnabled()); // SAQZ holds the pause key Q
    EXPECT_EQ(m_state.controlKeys[0], defaultControlKeys[0]);
    capture(control("pauser"), Qt::Key_P);
    EXPECT_TRUE(m_dialog->schemeMenu()->actions()[6]->isEnabled());
    EXPECT_FALSE(m_dialog->schemeMenu()->actions()[4]->isEnabled()); // P;L'
}

TEST_F(SetupDialogTest, APadIsMarkedOnItsLoadButtonAndTakenFromItsPlayerByAnother)
{
    EXPECT_EQ(loadButton(1)->toolTip(), "Gamepad 2");
    // Each number has its own mark, drawn within the button's own icon area
    EXPECT_NE(loadButton(0)->icon().pixmap(loadButton(0)->iconSize()).toImage(),
        loadButton(1)->icon().pixmap(loadButton(1)->iconSize()).toImage());
    choose(1, PadItem); // Gamepad 1, Alpha's
    EXPECT_EQ(m_state.padSlot, (std::array { NoPad, 0, 2, 3 }));
    EXPECT_EQ(m_state.controlKeys, defaultControlKeys) << "a pad comes besides the keys";
}

// Random clicks and keys, with the dialog closed and reopened now and then: the settings stay
// such as the settings file takes back, the controls show them, a capture never closes the
// dialog and the last pad chosen holds.
TEST_F(SetupDialogTest, AnySequenceOfActionsLeavesValidSettingsThatTheControlsShow)
{
    constexpr uint32_t seed = 4'242;
    std::mt19937 random(seed);
    const auto pick = [&random](size_t n) { return static_cast<int>(random() % n); };
    // Mostly printable keys, with the letters twice: the schemes and the defaults are letters
    const Qt::Key special[] = { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab, Qt::Key_F5, Qt::Key_Up,
        Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Shift, Qt::Key_Adiaeresis };
    const auto anyKey = [&] {
        return pick(6) == 0 ? special[pick(std::size(special))]
            : pick(2)       ? Qt::Key(Qt::Key_A + pick(26))
                            : Qt::Key(Qt::Key_Space + pick(64));
    };

    for (int step = 0; step < 3'000; ++step) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step);
        switch (pick(9)) {
        case 0:
        case 1:
        case 2:
            click(pick(4) ? keyButton(pick(4), pick(4)) : control("pauser"));
            press(anyKey(), pick(4) == 0 ? Qt::KeypadModifier : Qt::NoModifier);
            ASSERT_TRUE(m_dialog->isVisible());
            break;
        case 3:
        case 4: {
            const int p = pick(4);
            const QAction* item = choose(p, pick(PadItem + PadCount + 1));
            if (item->isCheckable())
                ASSERT_EQ(m_state.padSlot[p], item->data().toInt()) << "the last pad chosen";
            break;
        }
        case 5:
            click(control(pick(2) ? "Button1" : "Button3")); // Reset Teams or Reset Controls
            break;
        case 6:
            click(teamBox(pick(4), pick(4)));
            break;
        case 7:
            click(colourShape(pick(4)), pick(2) ? Qt::LeftButton : Qt::RightButton);
            break;
        default: {
            // Without a capture Escape closes the dialog, Enter only with someone playing, and
            // either way every change is kept
            const bool enter = pick(2), anyone = teams() != std::array { -1, -1, -1, -1 };
            const GameState before = m_state;
            press(enter ? Qt::Key_Return : Qt::Key_Escape);
            ASSERT_EQ(m_dialog->isVisible(), enter && !anyone);
            if (!m_dialog->isVisible())
                ASSERT_EQ(m_dialog->result(), enter ? QDialog::Accepted : QDialog::Rejected);
            ASSERT_EQ(savedSettings(m_state), savedSettings(before));
            ASSERT_EQ(m_state.teamAssignment, before.teamAssignment);
            break;
        }
        }
        ASSERT_TRUE(passesValidation(m_state));
        if (!m_dialog->isVisible())
            open();
        expectControlsShowTheState();
    }
}
