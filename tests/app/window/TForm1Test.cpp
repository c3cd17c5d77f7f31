// The main window: its size and playfield, the menu layout, closing, and the game layout's frames
#include "TForm1.h"
#include "DisplayView.h"
#include "FieldRenderer.h"
#include "QtColour.h"
#include "StatusPanel.h"
#include "TFrame4.h"
#include "TFrame5.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace fendral;

namespace {

class TForm1Test : public ::testing::Test {
protected:
    TForm1Test()
        : form(iniPath())
    {
        form.show();
    }

    QString iniPath() const { return folder.filePath(QStringLiteral("Fendral.ini")); }

    // Puts the players into teams as a new game does, before its layout is built.
    void setUpTeams(std::initializer_list<std::pair<int, int>> playerTeams)
    {
        GameState& state = form.state();
        for (Player& player : state.players)
            player = Player {};
        for (Team& team : state.teams)
            team = Team {};
        for (auto [p, t] : playerTeams) {
            state.players[p].team = t;
            state.players[p].alive = 1;
            state.teams[t].members += 1;
            state.teams[t].active = 1;
        }
    }

    int framesOnPanel() const
    {
        return static_cast<int>(form.panel()->findChildren<TFrame4*>().size()
            + form.panel()->findChildren<TFrame5*>().size());
    }

    static void saveShot(const QImage& image, const char* name)
    {
        const QByteArray folder = qgetenv("FENDRAL_TEST_SHOTS");
        if (!folder.isEmpty())
            image.save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name)));
    }

    QTemporaryDir folder;
    TForm1 form;
};

TEST_F(TForm1Test, ClientAreaIsFixedAndHoldsA128By81FieldAboveThePanel)
{
    EXPECT_EQ(form.windowTitle(), "Fendral");
    EXPECT_EQ(form.size(), QSize(1024, 721));
    EXPECT_EQ(form.minimumSize(), QSize(1024, 721));
    EXPECT_EQ(form.maximumSize(), QSize(1024, 721));
    form.resize(1280, 800);
    form.showMaximized();
    EXPECT_EQ(form.size(), QSize(1024, 721));

    EXPECT_EQ(form.state().W, 128);
    EXPECT_EQ(form.state().H, 81);
    EXPECT_EQ(form.renderer().originX(), 0);
    EXPECT_EQ(form.renderer().originY(), 0);
    EXPECT_EQ(form.renderer().backBuffer().size(), QSize(129, 82));
    EXPECT_EQ(form.state().cells.columns(), 130);
    EXPECT_EQ(form.state().cells.rows(), 83);
    EXPECT_EQ(form.state().blockState.columns(), 14);
    EXPECT_EQ(form.state().blockState.rows(), 10);
    EXPECT_EQ(form.state().stepMultiplier, 1);
    EXPECT_EQ(form.panel()->geometry(), QRect(0, 648, 1024, 73));
}

TEST_F(TForm1Test, StartsInTheMenuWithOnlyAlphaInTeamW)
{
    EXPECT_EQ(form.state().menuMode, 1);
    EXPECT_TRUE(form.menup()->isVisible());
    EXPECT_EQ(form.menup()->geometry(), QRect(391, 308, 241, 105));
    EXPECT_EQ(form.start()->text(), "Start Game");
    EXPECT_EQ(form.Button11()->text(), "Close Fendral");
    EXPECT_EQ(form.panelp()->geometry(), QRect(395, 344, 233, 33));
    EXPECT_FALSE(form.panelp()->isVisible());
    EXPECT_TRUE(form.ver()->isVisible());
    EXPECT_EQ(form.ver()->text(), "ver. 1.2");
    EXPECT_EQ(form.ver()->geometry().right(), 1024 - 6 - 1);
    EXPECT_EQ(form.ver()->y(), 648 - 18);
    EXPECT_TRUE(form.credit()->isVisible());
    EXPECT_EQ(form.credit()->pos(), QPoint(1024 - 180, 648 - 18));
    EXPECT_LT(form.credit()->geometry().right(), form.ver()->x());
    EXPECT_FALSE(form.panel()->panel2()->isVisible());
    EXPECT_FALSE(form.panel()->bev()->isVisible());
    EXPECT_EQ(form.panel()->panel2()->x(), 1024 - 239 - 3);
    for (const QPushButton* button : form.findChildren<QPushButton*>())
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->text().toStdString();

    int assigned = 0;
    for (const auto& team : form.state().teamAssignment)
        for (int entry : team)
            assigned += entry != 0;
    EXPECT_EQ(assigned, 1);
    EXPECT_NE(form.state().teamAssignment[0][0], 0);
    // The menu shows nothing of the field
    EXPECT_EQ(form.canvas().pixel(100, 100), qRgb(0, 0, 0));
}

TEST_F(TForm1Test, EscInTheMenuClosesAndWritesTheSettings)
{
    form.state().pauseKey = 80;
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());

    QSettings written(iniPath(), QSettings::IniFormat);
    EXPECT_EQ(written.value("Fendral/Pause").toInt(), 80);
    EXPECT_EQ(written.value("Fendral/Controls23").toInt(), 71);
    EXPECT_EQ(written.value("Fendral/Colour3").toInt(), 3);
}

TEST_F(TForm1Test, OtherKeysInTheMenuAndEscDuringAGameLeaveTheWindowOpen)
{
    QTest::keyClick(&form, Qt::Key_A);
    EXPECT_TRUE(form.isVisible());
    setUpTeams({ { 0, 0 } });
    form.view().ShowLayout(false);
    int key = 27;
    form.FormKeyDown(key);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(TForm1Test, CloseButtonsCloseTheWindowWithoutKeepingTheFocus)
{
    form.Button11()->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(QFile::exists(iniPath()));
    EXPECT_EQ(form.focusWidget() == nullptr || form.focusWidget() == &form, true);
}

TEST_F(TForm1Test, GameLayoutBuildsFramesAndANewGameLeavesNoStaleOnes)
{
    setUpTeams({ { 0, 0 }, { 1, 0 }, { 2, 1 }, { 3, 2 } });
    form.view().ShowLayout(false);
    EXPECT_EQ(form.state().menuMode, 0);
    EXPECT_EQ(framesOnPanel(), 7);
    EXPECT_FALSE(form.menup()->isVisible());
    EXPECT_FALSE(form.ver()->isVisible());
    EXPECT_FALSE(form.credit()->isVisible());
    EXPECT_TRUE(form.panel()->panel2()->isVisible());
    EXPECT_TRUE(form.panel()->bev()->isVisible());
    EXPECT_EQ(form.panel()->bev()->x(), 6 + 121 * 3 + 73 * 2 + 121 * 2);

    setUpTeams({ { 2, 3 } });
    form.view().ShowLayout(false);
    EXPECT_EQ(framesOnPanel(), 2);
    EXPECT_TRUE(form.view().hasTeamFrame(3));
    EXPECT_TRUE(form.view().hasPlayerFrame(2));
    EXPECT_FALSE(form.view().hasPlayerFrame(0));

    form.view().ShowLayout(true);
    EXPECT_EQ(framesOnPanel(), 0);
    EXPECT_TRUE(form.menup()->isVisible());
}

TEST_F(TForm1Test, RepaintInAGameRedrawsTheFieldAndSpritesFromTheBackBuffer)
{
    setUpTeams({ { 0, 0 } });
    form.view().ShowLayout(false);
    GameState& state = form.state();
    state.borderWidth = 3;
    form.view().paintNewField();
    Player& alpha = state.players[0];
    alpha.colour = defaultColours[0];
    alpha.x = 10;
    alpha.y = 81;
    alpha.drawnX = 8 * 9 + 4; // halfway in from the left
    alpha.drawnY = 8 * 80;

    state.players[1] = alpha;
    state.players[1].x = 40;
    state.players[1].drawnX = 8 * 39;
    state.players[1].shielded = 1;
    state.players[1].colour = defaultColours[4];
    state.openEnemies = { Enemy { 60, 40, 1, 1, 8 * 59, 8 * 39 } };
    state.levelStartCounts = { 1, 1, 2, 2 };
    state.teams[0].lives = 3.5;
    form.view().setLevelCaptions("Level 1", "(3; 1)");
    form.view().setNeededShare(0.9);
    form.view().UpdateScores();

    form.FormPaint();
    saveShot(form.grab().toImage(), "fendral-game.png");
    const QImage& canvas = form.canvas();
    EXPECT_EQ(canvas.pixel(0, 0), qtRgb(state.palette().groundColour));
    EXPECT_EQ(canvas.pixel(8 * 3, 8 * 3), qtRgb(state.palette().openColour));
    EXPECT_EQ(canvas.pixel(76, 640), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.pixel(77, 641), qtRgb(alpha.colour));
    // The status panel's area of the canvas is left alone
    EXPECT_EQ(canvas.pixel(10, 700), qRgb(0, 0, 0));

    form.view().ShowLayout(true);
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));
    form.FormPaint();
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));
}

TEST_F(TForm1Test, OwnCanvasChangesReachTheScreenWhileASystemRepaintRedrawsTheField)
{
    setUpTeams({ { 0, 0 } });
    form.view().ShowLayout(false);
    form.view().paintNewField();
    form.state().players[0].drawnX = 8 * 40; // away from the cell under test
    const QRgb ground = qtRgb(form.state().palette().groundColour);

    // A cell painted on the window only stays through the repaint it asked for
    form.view().paintCell(1, 1, 0x0000FF);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.canvas().pixel(3, 3), qRgb(255, 0, 0));

    // A repaint the window did not ask for copies the field from the BackBuffer again
    form.repaint();
    EXPECT_EQ(form.canvas().pixel(3, 3), ground);
}

} // namespace
