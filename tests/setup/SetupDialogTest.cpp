// The setup dialog driven like a user would: mouse clicks on its controls and key presses
#include "SetupDialog.h"
#include "GameState.h"
#include "QtColour.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>

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
    void press(Qt::Key key) const { QTest::keyClick(m_dialog->windowHandle(), key); }

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

TEST_F(SetupDialogTest, ASchemeFromTheMenuIsTakenEvenWithThePauseKeyInIt)
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
    menu->actions()[6]->trigger(); // SAQZ
    menu->hide();
    EXPECT_EQ(m_state.controlKeys[0], ControlScheme[6]);
    EXPECT_EQ(keyButton(0, 2)->text(), "Q");
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
