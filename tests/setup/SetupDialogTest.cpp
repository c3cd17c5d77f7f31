// The setup dialog driven like a user would: mouse clicks on its controls and key presses
#include "SetupDialog.h"
#include "GameState.h"
#include "QtColour.h"
#include "Settings.h"
#include "ValidSettings.h"
#include "Widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
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

    bool plays(int t, int p) const { return m_state.teamAssignment[t][p] != 0; }

    GameState m_state;
    std::unique_ptr<SetupDialog> m_dialog;
};

} // namespace

TEST_F(SetupDialogTest, HasItsCaptionAndFixedSize)
{
    EXPECT_EQ(m_dialog->windowTitle(), "Fendral - Starting");
    EXPECT_EQ(m_dialog->size(), QSize(465, 161));
}

TEST_F(SetupDialogTest, TheSharedDOfGammaAndDeltaIsMarkedAndKeepsThemApart)
{
    EXPECT_EQ(keyButton(2, 2)->text(), "! D");
    EXPECT_EQ(keyButton(3, 3)->text(), "! D");
    EXPECT_EQ(keyButton(2, 0)->text(), "R"); // a key nobody shares is not marked

    click(teamBox(1, 2));
    click(teamBox(2, 3));
    EXPECT_TRUE(plays(2, 3));
    EXPECT_FALSE(plays(1, 2));
    EXPECT_FALSE(teamBox(1, 2)->isChecked());
    click(teamBox(3, 2));
    EXPECT_FALSE(plays(2, 3));
    EXPECT_TRUE(plays(0, 0)); // Alpha shares nothing and stays

    click(teamBox(0, 2)); // moving Gamma to team W takes it out of team Z
    EXPECT_FALSE(plays(3, 2));
}

TEST_F(SetupDialogTest, ACapturedKeyThatTwoPlayingPlayersShareResetsTheTeams)
{
    click(teamBox(1, 1));
    click(teamBox(3, 2));
    capture(keyButton(1, 0), Qt::Key_Up); // Alpha's Up
    EXPECT_EQ(keyButton(1, 0)->text(), "! Up");
    EXPECT_TRUE(plays(0, 0));
    EXPECT_FALSE(plays(1, 1));
    EXPECT_FALSE(plays(3, 2));
    EXPECT_FALSE(teamBox(1, 1)->isChecked());
}

TEST_F(SetupDialogTest, RefusedKeysEndTheCaptureWithoutAChange)
{
    capture(control("pauser"), Qt::Key_P);
    ASSERT_EQ(m_state.pauseKey, 'P');
    const auto keysBefore = m_state.controlKeys;
    const struct {
        QPushButton* button;
        Qt::Key key;
    } refusals[] = {
        { keyButton(0, 0), Qt::Key_Escape }, // no name; the dialog stays open
        { keyButton(0, 0), Qt::Key_F5 },
        { keyButton(1, 2), Qt::Key_Space }, // never a direction key
        { keyButton(2, 1), Qt::Key_P }, // the pause key
        { keyButton(0, 0), Qt::Key_Down }, // Alpha's own Down key
        { control("pauser"), Qt::Key_R }, // Gamma's Up, though Gamma does not play
        { control("pauser"), Qt::Key_Left },
    };
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.key);
        const QString caption = refusal.button->text();
        capture(refusal.button, refusal.key);
        EXPECT_EQ(refusal.button->text(), caption);
    }
    EXPECT_EQ(m_state.controlKeys, keysBefore);
    EXPECT_EQ(m_state.pauseKey, 'P');
    EXPECT_TRUE(m_dialog->isVisible());
}

TEST_F(SetupDialogTest, StartIsDisabledWithNoBoxTickedAndEnterThenDoesNothing)
{
    click(teamBox(0, 0));
    EXPECT_FALSE(control("start")->isEnabled());
    press(Qt::Key_Return);
    EXPECT_TRUE(m_dialog->isVisible());

    click(teamBox(0, 0));
    press(Qt::Key_Return);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
}

TEST_F(SetupDialogTest, ColoursOfPlayingPlayersAreSkippedAndIdleOnesTaken)
{
    click(teamBox(1, 1)); // Alpha and Beta play
    click(colourShape(0));
    // Beta's colour 1 is skipped, idle Gamma loses 2 and moves on to the first free one
    EXPECT_EQ(m_state.colourChoice, (std::array<int, 4> { 2, 1, 4, 3 }));
    EXPECT_EQ(colourShape(2)->fill(), qtColour(defaultColours[4]));
    click(colourShape(0), Qt::RightButton); // backwards, past Beta again
    EXPECT_EQ(m_state.colourChoice, (std::array<int, 4> { 0, 1, 4, 3 }));
}

TEST_F(SetupDialogTest, ASchemeFromTheMenuIsTakenUnlessItHoldsThePauseKey)
{
    capture(control("pauser"), Qt::Key_Q);
    click(control("Button5")); // Gamma's Load
    QMenu* menu = m_dialog->schemeMenu();
    EXPECT_TRUE(menu->isVisible());
    menu->actions()[2]->trigger(); // WSAD: Delta's keys
    menu->hide();
    EXPECT_EQ(m_state.controlKeys[2], ControlScheme[2]);
    EXPECT_EQ(keyButton(2, 0)->text(), "! W");

    click(control("Button2")); // Alpha's Load
    EXPECT_FALSE(menu->actions()[6]->isEnabled()); // SAQZ holds the pause key Q
    menu->actions()[6]->trigger();
    menu->hide();
    EXPECT_EQ(m_state.controlKeys[0], defaultControlKeys[0]);
    EXPECT_EQ(keyButton(0, 2)->text(), "Left");

    capture(control("pauser"), Qt::Key_P);
    EXPECT_TRUE(menu->actions()[6]->isEnabled());
    EXPECT_FALSE(menu->actions()[4]->isEnabled()); // P;L'
}

TEST_F(SetupDialogTest, CancellingKeepsEveryChange)
{
    capture(keyButton(1, 3), Qt::Key_L);
    click(colourShape(1));
    click(teamBox(2, 3));
    press(Qt::Key_Escape);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);

    open();
    EXPECT_EQ(keyButton(1, 3)->text(), "L");
    EXPECT_EQ(colourShape(1)->fill(), qtColour(defaultColours[2]));
    EXPECT_TRUE(teamBox(2, 3)->isChecked());
}

namespace {

QAction* menuItem(const QMenu* menu, const QString& text)
{
    const QList<QAction*> items = menu->actions();
    const auto found = std::find_if(
        items.begin(), items.end(), [&](const QAction* item) { return item->text() == text; });
    EXPECT_NE(found, items.end()) << text.toStdString();
    return found == items.end() ? nullptr : *found;
}

QString padItemText(int slot)
{
    return slot == NoPad ? QString("No gamepad") : QString("Gamepad %1").arg(slot + 1);
}

// The pad each Load button shows, by its tooltip and its mark, NoPad for none
std::array<int, 4> shownPads(const std::array<QPushButton*, 4>& loadButtons)
{
    std::array<int, 4> shown {};
    for (int p = 0; p < PlayerCount; ++p) {
        const QString tip = loadButtons[p]->toolTip();
        EXPECT_EQ(tip.isEmpty(), loadButtons[p]->icon().isNull()) << p;
        shown[p] = tip.isEmpty() ? NoPad : tip.back().digitValue() - 1;
    }
    return shown;
}

} // namespace

TEST_F(SetupDialogTest, AGamepadChosenFromALoadMenuIsTakenFromAnyOtherPlayerAndShownOnTheButton)
{
    const std::array<QPushButton*, 4> load
        = { control("Button2"), control("Button4"), control("Button5"), control("Button6") };
    EXPECT_EQ(shownPads(load), (std::array<int, 4> { 0, 1, 2, 3 }));
    EXPECT_EQ(load[1]->toolTip(), "Gamepad 2");
    // Each number has its own mark, drawn within the button's own icon area
    EXPECT_NE(load[0]->icon().pixmap(load[0]->iconSize()).toImage(),
        load[1]->icon().pixmap(load[1]->iconSize()).toImage());

    const auto choose = [&](int p, int slot) {
        click(load[p]);
        QMenu* menu = m_dialog->schemeMenu();
        EXPECT_TRUE(menuItem(menu, padItemText(m_state.padSlot[p]))->isChecked());
        menuItem(menu, padItemText(slot))->trigger();
        menu->hide();
    };
    choose(1, 0); // Beta takes Alpha's pad 1 and leaves pad 2 free
    EXPECT_EQ(m_state.padSlot, (std::array<int, 4> { NoPad, 0, 2, 3 }));
    EXPECT_EQ(shownPads(load), m_state.padSlot);
    EXPECT_EQ(load[1]->toolTip(), "Gamepad 1");
    choose(0, 1);
    choose(3, NoPad);
    EXPECT_EQ(m_state.padSlot, (std::array<int, 4> { 1, 0, 2, NoPad }));
    EXPECT_EQ(shownPads(load), m_state.padSlot);
    EXPECT_EQ(m_state.controlKeys, defaultControlKeys) << "a pad comes besides the keys";
    EXPECT_EQ(m_dialog->size(), QSize(465, 161));
    for (int p = 0; p < PlayerCount; ++p)
        EXPECT_EQ(load[p]->geometry(), QRect(432, 24 + 24 * p, 25, 17));
}

// Pads bound and unbound at random, with the dialog now and then reopened: a pad is never bound
// to two players, the last choice holds, and the buttons and the menu show the binding.
TEST_F(SetupDialogTest, AnySequenceOfActionsLeavesSettingsThatTheSettingsFileTakesBack)
{
    constexpr uint32_t seed = 4'242;
    std::mt19937 random(seed);
    const auto pick = [&random](size_t n) { return static_cast<int>(random() % n); };
    std::vector<Qt::Key> keys { Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab,
        Qt::Key_F5, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Semicolon,
        Qt::Key_Apostrophe, Qt::Key_Comma, Qt::Key_Period, Qt::Key_Slash, Qt::Key_BracketLeft,
        Qt::Key_BracketRight, Qt::Key_Minus, Qt::Key_Shift, Qt::Key_Adiaeresis };
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k)
        keys.push_back(Qt::Key(k));
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
        keys.push_back(Qt::Key(k)); // twice as likely: the schemes and the defaults are letters
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
        keys.push_back(Qt::Key(k));
    QTemporaryDir folder;

    for (int step = 0; step < 3'000; ++step) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step);
        switch (pick(9)) {
        case 0:
        case 1:
            click(keyButton(pick(4), pick(4)));
            press(keys[pick(keys.size())], pick(4) == 0 ? Qt::KeypadModifier : Qt::NoModifier);
            break;
        case 2:
            click(control("pauser"));
            press(keys[pick(keys.size())], pick(4) == 0 ? Qt::KeypadModifier : Qt::NoModifier);
            break;
        case 3:
        case 4: {
            const char* loadButtons[] = { "Button2", "Button4", "Button5", "Button6" };
            click(control(loadButtons[pick(4)]));
            const QList<QAction*> items = m_dialog->schemeMenu()->actions(); // schemes and pads
            items[pick(items.size())]->trigger();
            m_dialog->schemeMenu()->hide();
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
        default:
            // Without a capture Escape and Enter close the dialog; the next start opens another
            press(pick(2) ? Qt::Key_Escape : Qt::Key_Return);
            break;
        }
        ASSERT_TRUE(passesValidation(m_state));
        if (!m_dialog->isVisible())
            open();
        if (step % 100 != 99)
            continue;
        const QString path = folder.filePath("Fendral.ini");
        {
            QSettings file(path, QSettings::IniFormat);
            saveSettings(m_state, file);
        }
        GameState loaded;
        QSettings file(path, QSettings::IniFormat);
        loadSettings(loaded, file);
        ASSERT_EQ(savedSettings(loaded), savedSettings(m_state));
    }
}
