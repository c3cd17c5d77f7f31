// The setup dialog driven like a user would: mouse clicks on its controls and key presses
#include "TForm3.h"
#include "GameState.h"
#include "QtColour.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
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

class SetupDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_state.teamAssignment[0][0] = 1; // as at program start: Alpha alone in team W
        open();
    }

    void open()
    {
        m_dialog = std::make_unique<TForm3>(m_state);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    template <typename T> T* control(const QString& name) const
    {
        T* found = m_dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QCheckBox* teamBox(int t, int p) const
    {
        return control<QCheckBox>(QString("cb%1").arg(4 * t + p));
    }
    QPushButton* keyButton(int p, int d) const
    {
        return control<QPushButton>(QString("bs%1").arg(4 * p + d));
    }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    ColourShape* colourShape(int p) const { return control<ColourShape>(QString("col%1").arg(p)); }

    static void click(QWidget* widget, Qt::MouseButton mouseButton = Qt::LeftButton)
    {
        QTest::mouseClick(widget, mouseButton);
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
    std::unique_ptr<TForm3> m_dialog;
};

bool hasRedPixels(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.red() > 150 && colour.green() < 80 && colour.blue() < 80)
                return true;
        }
    }
    return false;
}

} // namespace

TEST_F(SetupDialog, ShowsItsControlsWhereTheyBelong)
{
    EXPECT_EQ(m_dialog->windowTitle(), "Fendral - Starting");
    EXPECT_EQ(m_dialog->size(), QSize(465, 161));
    EXPECT_EQ(m_dialog->font().pixelSize(), 11);
    EXPECT_EQ(teamBox(3, 2)->geometry(), QRect(56 + 72, 24 + 48, 17, 17));
    EXPECT_EQ(keyButton(1, 3)->geometry(), QRect(176 + 192, 48, 57, 17));
    EXPECT_EQ(colourShape(3)->geometry(), QRect(152, 96, 17, 17));
    EXPECT_EQ(button("Button5")->geometry(), QRect(432, 72, 25, 17));
    EXPECT_EQ(button("pauser")->geometry(), QRect(176, 136, 57, 17));
    EXPECT_EQ(button("start")->geometry(), QRect(368, 120, 89, 33));
    EXPECT_EQ(control<QLabel>("Label13")->text(), "Left");
    EXPECT_EQ(control<QLabel>("Label3")->text(), "Gamma");
    EXPECT_EQ(button("pauser")->text(), "Space");
    EXPECT_EQ(keyButton(1, 0)->text(), "Num8");
    EXPECT_TRUE(button("start")->isDefault());
    EXPECT_TRUE(button("start")->font().bold());
    EXPECT_TRUE(teamBox(0, 0)->isChecked());
    EXPECT_FALSE(teamBox(1, 0)->isChecked());
    EXPECT_EQ(colourShape(2)->fill(), qtColour(defaultColours[2]));

    for (QWidget* widget : m_dialog->findChildren<QAbstractButton*>())
        EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus) << widget->objectName().toStdString();
    QStringList items;
    for (const QAction* item : m_dialog->schemeMenu()->actions())
        items << item->text();
    EXPECT_EQ(
        items, QStringList({ "Arrows", "Num8546", "WSAD", "RFDG", "P;L'", "Num5639", "SAQZ" }));
}

TEST_F(SetupDialog, TheSharedDOfGammaAndDeltaIsMarkedAndKeepsThemApart)
{
    EXPECT_EQ(keyButton(2, 2)->text(), "! D");
    EXPECT_EQ(keyButton(3, 3)->text(), "! D");
    EXPECT_EQ(keyButton(2, 0)->text(), "R");
    EXPECT_EQ(keyButton(3, 2)->text(), "A");

    click(teamBox(1, 2));
    EXPECT_TRUE(plays(1, 2));
    click(teamBox(2, 3));
    EXPECT_TRUE(plays(2, 3));
    EXPECT_FALSE(plays(1, 2));
    EXPECT_FALSE(teamBox(1, 2)->isChecked());
    click(teamBox(3, 2));
    EXPECT_TRUE(plays(3, 2));
    EXPECT_FALSE(plays(2, 3));
    EXPECT_TRUE(plays(0, 0)); // Alpha shares nothing and stays

    click(teamBox(0, 2)); // moving Gamma to team W takes it out of team Z
    EXPECT_TRUE(plays(0, 2));
    EXPECT_FALSE(plays(3, 2));
    click(teamBox(0, 2));
    EXPECT_FALSE(plays(0, 2));
}

TEST_F(SetupDialog, ACapturedKeyThatTwoPlayersShareResetsTheTeams)
{
    click(teamBox(1, 1));
    click(teamBox(3, 2));
    capture(keyButton(1, 0), Qt::Key_Up); // Alpha's Up
    EXPECT_EQ(m_state.controlKeys[1][0], 38);
    EXPECT_EQ(keyButton(1, 0)->text(), "! Up");
    EXPECT_EQ(keyButton(0, 0)->text(), "! Up");
    EXPECT_TRUE(plays(0, 0));
    EXPECT_FALSE(plays(1, 1));
    EXPECT_FALSE(plays(3, 2));
    EXPECT_FALSE(teamBox(1, 1)->isChecked());
    EXPECT_TRUE(m_dialog->isVisible());
}

TEST_F(SetupDialog, CapturesNamedKeysIncludingTheKeypad)
{
    capture(keyButton(0, 1), Qt::Key_K);
    EXPECT_EQ(m_state.controlKeys[0][1], 'K');
    EXPECT_EQ(keyButton(0, 1)->text(), "K");
    click(keyButton(3, 0));
    press(Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(m_state.controlKeys[3][0], 103);
    EXPECT_EQ(keyButton(3, 0)->text(), "Num7");
    capture(button("pauser"), Qt::Key_P);
    EXPECT_EQ(m_state.pauseKey, 'P');
    capture(button("pauser"), Qt::Key_Space); // the pause key may be Space
    EXPECT_EQ(m_state.pauseKey, 32);
    EXPECT_EQ(button("pauser")->text(), "Space");
}

TEST_F(SetupDialog, RefusedKeysEndTheCaptureWithoutAChange)
{
    m_state.pauseKey = 'P';
    m_dialog->close();
    open();
    const auto keysBefore = m_state.controlKeys;
    struct Refusal {
        QPushButton* button;
        Qt::Key key;
    };
    const Refusal refusals[] = {
        { keyButton(0, 0), Qt::Key_Escape }, // no name; the dialog stays open
        { keyButton(0, 0), Qt::Key_F5 },
        { keyButton(1, 2), Qt::Key_Space }, // never a direction key
        { keyButton(2, 1), Qt::Key_P }, // the pause key
        { keyButton(0, 0), Qt::Key_Down }, // Alpha's own Down key
        { button("pauser"), Qt::Key_R }, // Gamma's Up, though Gamma does not play
        { button("pauser"), Qt::Key_Left },
    };
    for (const Refusal& refusal : refusals) {
        const QString caption = refusal.button->text();
        capture(refusal.button, refusal.key);
        EXPECT_EQ(refusal.button->text(), caption) << refusal.key;
    }
    EXPECT_EQ(m_state.controlKeys, keysBefore);
    EXPECT_EQ(m_state.pauseKey, 'P');
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), 0);
}

TEST_F(SetupDialog, ClickingElsewhereMovesOrEndsTheWait)
{
    click(keyButton(0, 0));
    click(keyButton(0, 1)); // the wait moves
    EXPECT_EQ(keyButton(0, 0)->text(), "Up");
    EXPECT_EQ(keyButton(0, 1)->text(), "...");
    click(button("Button1")); // Reset Teams leaves it waiting
    EXPECT_EQ(keyButton(0, 1)->text(), "...");
    click(teamBox(1, 1)); // a team box ends it
    EXPECT_EQ(keyButton(0, 1)->text(), "Down");
    press(Qt::Key_Z);
    EXPECT_EQ(m_state.controlKeys[0][1], 40);

    click(keyButton(2, 3));
    press(Qt::Key_M);
    click(button("pauser"));
    click(button("Button3")); // Reset Controls ends the wait and restores every key
    EXPECT_EQ(m_state.controlKeys, defaultControlKeys);
    EXPECT_EQ(button("pauser")->text(), "Space");
    press(Qt::Key_Q);
    EXPECT_EQ(m_state.pauseKey, 32);
}

TEST_F(SetupDialog, StartNeedsATickedBoxAndItsGlyphGreysOut)
{
    QPushButton* start = button("start");
    EXPECT_TRUE(hasRedPixels(start->grab().toImage()));
    click(teamBox(0, 0));
    EXPECT_FALSE(start->isEnabled());
    EXPECT_FALSE(hasRedPixels(start->grab().toImage()));
    press(Qt::Key_Return);
    EXPECT_TRUE(m_dialog->isVisible());

    click(button("Button1"));
    EXPECT_TRUE(plays(0, 0));
    EXPECT_TRUE(start->isEnabled());
    if (const QByteArray folder = qgetenv("FENDRAL_SCREENSHOT_DIR"); !folder.isEmpty())
        m_dialog->grab().save(QString::fromLocal8Bit(folder) + "/setup-dialog.png");
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
}

TEST_F(SetupDialog, ColoursOfPlayingPlayersAreSkippedAndIdleOnesTaken)
{
    click(teamBox(1, 1)); // Alpha and Beta play
    click(colourShape(0));
    // Beta's colour 1 is skipped, idle Gamma loses 2 and moves on to the first free one
    EXPECT_EQ(m_state.colourChoice, (std::array<int, 4> { 2, 1, 4, 3 }));
    EXPECT_EQ(colourShape(0)->fill(), qtColour(defaultColours[2]));
    EXPECT_EQ(colourShape(2)->fill(), qtColour(defaultColours[4]));
    click(colourShape(0), Qt::RightButton);
    EXPECT_EQ(m_state.colourChoice, (std::array<int, 4> { 0, 1, 4, 3 }));
    click(colourShape(3), Qt::RightButton); // 2 is free
    EXPECT_EQ(m_state.colourChoice, (std::array<int, 4> { 0, 1, 4, 2 }));
}

TEST_F(SetupDialog, ASchemeFromTheMenuIsAppliedWithoutTheirPauseKeyCheck)
{
    capture(button("pauser"), Qt::Key_Q);
    click(keyButton(0, 2));
    QPushButton* load = button("Button5");
    click(load); // ends the wait and opens the menu at the button
    EXPECT_EQ(keyButton(0, 2)->text(), "Left");
    QMenu* menu = m_dialog->schemeMenu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), load->mapToGlobal(QPoint(0, 0)));
    menu->actions()[2]->trigger(); // WSAD: Delta's keys
    menu->hide();
    EXPECT_EQ(m_state.controlKeys[2], ControlScheme[2]);
    EXPECT_EQ(keyButton(2, 0)->text(), "! W");
    EXPECT_EQ(keyButton(3, 1)->text(), "! S");

    click(button("Button2"));
    menu->actions()[6]->trigger(); // SAQZ holds the pause key Q
    menu->hide();
    EXPECT_EQ(m_state.controlKeys[0], ControlScheme[6]);
    EXPECT_EQ(keyButton(0, 2)->text(), "Q");
    EXPECT_EQ(button("pauser")->text(), "Q");
}

TEST_F(SetupDialog, CancellingKeepsEveryChange)
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
    EXPECT_EQ(colourShape(2)->fill(), qtColour(defaultColours[4]));
    EXPECT_TRUE(teamBox(2, 3)->isChecked());
    m_dialog->close(); // the close box cancels as well
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
}
