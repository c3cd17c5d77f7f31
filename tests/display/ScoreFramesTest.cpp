// The status panel's texts, the score frames, the leader colours and the game layout
#include "DisplayView.h"
#include "FieldRenderer.h"
#include "QtColour.h"
#include "ScoreText.h"
#include "StatusPanel.h"
#include "TFrame4.h"
#include "TFrame5.h"

#include <QPushButton>
#include <gtest/gtest.h>

using namespace fendral;

namespace {

TEST(FormatPercent, ShowsTwoDecimalsRoundedAndCarriesIntoTheWholePart)
{
    EXPECT_EQ(FormatPercent(0.8765), "87.65%");
    EXPECT_EQ(FormatPercent(0.5), "50.00%");
    EXPECT_EQ(FormatPercent(0), "0.00%");
    EXPECT_EQ(FormatPercent(0.0105), "1.05%");
    EXPECT_EQ(FormatPercent(0.99999), "100.00%");
    EXPECT_EQ(FormatPercent(28.8546), "2885.46%");
}

TEST(TeamLivesText, ShowsTheWholePartAndTheTruncatedHundredths)
{
    EXPECT_EQ(livesWholeText(20.5), "20");
    EXPECT_EQ(livesFractionText(20.5), ".50");
    EXPECT_EQ(livesWholeText(3), "3");
    EXPECT_EQ(livesFractionText(3), ".");
    EXPECT_EQ(livesWholeText(3.999), "3");
    EXPECT_EQ(livesFractionText(3.999), ".99");
}

// A window with the status panel and the menu widgets, as the main window lays them out
class ScoreFramesTest : public ::testing::Test {
protected:
    ScoreFramesTest()
        : canvas(1024, 721, QImage::Format_RGB32)
        , renderer(state, canvas)
        , panel(new StatusPanel(&window))
        , menup(new QWidget(&window))
        , ver(new QWidget(&window))
        , credit(new QWidget(&window))
        , panelp(new Panel(&window))
        , view(state, renderer, *panel, LayoutWidgets { &window, menup, ver, credit, panelp })
    {
        window.resize(1024, 721);
        panel->setGeometry(0, 648, 1024, 73);
        panel->placePanel2();
    }

    // Puts player p into team t, in play since the level started.
    void join(int p, int t)
    {
        state.players[p].team = t;
        state.players[p].alive = 1;
        state.players[p].aliveAtLevelStart = 1;
        state.players[p].colour = defaultColours[p];
        state.teams[t].members += 1;
        state.teams[t].active = 1;
        state.teams[t].activeAtLevelStart = 1;
        state.teams[t].lives = 2 + state.teams[t].members;
    }

    void countLevelStart()
    {
        state.levelStartCounts = {};
        for (const Team& team : state.teams) {
            state.levelStartCounts[0] += team.members != 0;
            state.levelStartCounts[1] += team.activeAtLevelStart;
        }
        for (const Player& player : state.players) {
            state.levelStartCounts[2] += player.team >= 0;
            state.levelStartCounts[3] += player.aliveAtLevelStart;
        }
    }

    void startGame()
    {
        countLevelStart();
        view.ShowLayout(false);
        view.UpdateScores();
    }

    GameState state;
    QImage canvas;
    FieldRenderer renderer;
    QWidget window;
    StatusPanel* panel;
    QWidget* menup;
    QWidget* ver;
    QWidget* credit;
    Panel* panelp;
    DisplayView view;
};

TEST_F(ScoreFramesTest, PlayerFrameShowsNameSharesAndDeaths)
{
    join(1, 2);
    state.players[1].totalShare = 0.1234;
    state.players[1].levelShare = 0.05;
    state.players[1].deaths = 3;
    state.players[1].levelDeaths = 1;
    startGame();

    const TFrame4* frame = view.playerFrame(1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->size(), QSize(121, 63));
    EXPECT_EQ(frame->namer()->text(), "Beta");
    EXPECT_EQ(frame->col()->fill(), qtColour(defaultColours[1]));
    EXPECT_EQ(frame->sct()->text(), "12.34%");
    EXPECT_EQ(frame->scc()->text(), "(5.00%");
    EXPECT_EQ(frame->livt()->text(), "-3");
    EXPECT_EQ(frame->livc()->text(), "(-1");
    EXPECT_EQ(frame->par()->text(), ")");
    // Right-aligned labels end on their anchor, the closing brackets start there
    EXPECT_EQ(frame->sct()->geometry().right() + 1, 65);
    EXPECT_EQ(frame->livc()->geometry().right() + 1, 105);
    EXPECT_EQ(frame->par2()->pos(), QPoint(105, 40));
    EXPECT_EQ(frame->namer()->pos(), QPoint(40, 6));

    view.SetOut(1, true);
    EXPECT_EQ(frame->namer()->colour(), ScoreColours::grey);
    view.SetOut(1, false);
    EXPECT_EQ(frame->namer()->colour(), ScoreColours::black);
    view.ShowLevelStats(1, false);
    for (const QWidget* label : { frame->scc(), frame->par(), frame->livc(), frame->par2() })
        EXPECT_TRUE(label->isHidden());
    EXPECT_FALSE(frame->sct()->isHidden());
}

TEST_F(ScoreFramesTest, TeamFrameShowsLivesAndSharesAndGreysWhenEliminated)
{
    join(0, 3);
    join(2, 3);
    state.teams[3].lives = 20.5;
    state.teams[3].totalShare = 0.25;
    state.teams[3].levelShare = 0.125;
    startGame();

    const TFrame5* frame = view.teamFrame(3);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->width(), 121);
    EXPECT_EQ(frame->namer()->text(), "Team Z");
    EXPECT_TRUE(frame->namer()->font().underline());
    EXPECT_EQ(frame->liv()->text(), "20");
    EXPECT_EQ(frame->livf()->text(), ".50");
    EXPECT_EQ(frame->sct()->text(), "25.00%");
    EXPECT_EQ(frame->scc()->text(), "(12.50%");
    EXPECT_EQ(frame->liv()->geometry().right() + 1, 33);
    EXPECT_EQ(frame->liv()->font().pixelSize(), 24);

    view.SetEliminated(3);
    for (const AnchoredLabel* label : { frame->namer(), frame->liv(), frame->livf() })
        EXPECT_EQ(label->colour(), ScoreColours::grey);
    view.HideLevelStats(3);
    EXPECT_TRUE(frame->scc()->isHidden());
    EXPECT_TRUE(frame->par()->isHidden());
    EXPECT_FALSE(frame->sct()->isHidden());
}

TEST_F(ScoreFramesTest, TeamsWithinOnePointOfTheBestAllLead)
{
    join(0, 0);
    join(1, 0);
    join(2, 1);
    join(3, 1);
    state.teams[0].totalShare = 0.300;
    state.teams[1].totalShare = 0.309;
    state.teams[0].levelShare = 0.10;
    state.teams[1].levelShare = 0.12;
    state.players[3].levelShare = 0.12;
    startGame();

    EXPECT_EQ(view.teamFrame(0)->sct()->colour(), ScoreColours::navy);
    EXPECT_EQ(view.teamFrame(1)->sct()->colour(), ScoreColours::navy);
    EXPECT_EQ(view.teamFrame(0)->scc()->colour(), ScoreColours::black);
    EXPECT_EQ(view.teamFrame(1)->scc()->colour(), ScoreColours::navy);
    EXPECT_EQ(view.teamFrame(1)->par()->colour(), ScoreColours::navy);
    // Team leads stay off the frames of players in teams of two
    EXPECT_EQ(view.playerFrame(2)->scc()->colour(), ScoreColours::black);
    EXPECT_EQ(view.playerFrame(3)->scc()->colour(), ScoreColours::green);
}

TEST_F(ScoreFramesTest, AOnePlayerTeamsLeadsShowOnItsPlayerCombinedWithThePlayersOwn)
{
    join(0, 0);
    join(1, 1);
    join(2, 1);
    state.players[0].totalShare = state.teams[0].totalShare = 0.40;
    state.players[0].levelShare = state.teams[0].levelShare = 0.05;
    state.players[1].levelShare = 0.20;
    state.teams[1].totalShare = 0.20;
    state.teams[1].levelShare = 0.20;
    startGame();

    const TFrame5* team = view.teamFrame(0);
    EXPECT_EQ(team->width(), 73);
    EXPECT_TRUE(team->sct()->isHidden());
    EXPECT_TRUE(team->scc()->isHidden());
    EXPECT_TRUE(team->par()->isHidden());
    // Team W and Alpha both lead the game: navy and green make teal
    EXPECT_EQ(view.playerFrame(0)->sct()->colour(), QColor(0, 128, 128));
    // The level belongs to Beta and to team X: Alpha's level share stays black
    EXPECT_EQ(view.playerFrame(0)->scc()->colour(), ScoreColours::black);
    EXPECT_EQ(view.playerFrame(1)->scc()->colour(), ScoreColours::green);
    EXPECT_EQ(view.playerFrame(1)->par()->colour(), ScoreColours::green);
    EXPECT_EQ(view.playerFrame(1)->livc()->colour(), ScoreColours::black);
}

TEST_F(ScoreFramesTest, ASinglePlayerNeverLeads)
{
    join(0, 0);
    state.players[0].totalShare = state.teams[0].totalShare = 0.5;
    state.players[0].levelShare = state.teams[0].levelShare = 0.5;
    startGame();

    EXPECT_EQ(view.playerFrame(0)->sct()->colour(), ScoreColours::black);
    EXPECT_EQ(view.playerFrame(0)->scc()->colour(), ScoreColours::black);
}

TEST_F(ScoreFramesTest, GameLayoutPlacesEachTeamBeforeItsPlayersAndTheSeparatorAfter)
{
    join(3, 0);
    join(0, 2);
    join(1, 2);
    startGame();

    EXPECT_EQ(state.menuMode, 0);
    EXPECT_EQ(view.teamFrame(0)->pos(), QPoint(6, 6));
    EXPECT_EQ(view.playerFrame(3)->pos(), QPoint(6 + 73, 6));
    EXPECT_EQ(view.teamFrame(2)->pos(), QPoint(6 + 73 + 121, 6));
    EXPECT_EQ(view.playerFrame(0)->pos(), QPoint(6 + 73 + 2 * 121, 6));
    EXPECT_EQ(view.playerFrame(1)->pos(), QPoint(6 + 73 + 3 * 121, 6));
    EXPECT_EQ(panel->bev()->pos(), QPoint(6 + 73 + 4 * 121, 6));
    EXPECT_FALSE(view.hasTeamFrame(1));
    EXPECT_FALSE(view.hasPlayerFrame(2));

    EXPECT_FALSE(panel->bev()->isHidden());
    EXPECT_FALSE(panel->panel2()->isHidden());
    EXPECT_TRUE(menup->isHidden());
    EXPECT_TRUE(ver->isHidden());
    EXPECT_TRUE(credit->isHidden());
    EXPECT_EQ(panel->panel2()->geometry(), QRect(1024 - 239 - 3, 6, 239, 61));
}

TEST_F(ScoreFramesTest, SwitchingLayoutsClearsTheRunStateTheMessageAndTheCanvas)
{
    join(0, 0);
    startGame();
    canvas.fill(Qt::red);
    state.cheatCount = 2;
    state.paused = 1;
    state.gameOver = 1;
    view.UpdateScores();
    EXPECT_EQ(panel->mode()->caption(), "-2");
    view.setMessage("Pause");
    view.setMessageVisible(true);
    EXPECT_EQ(panelp->caption(), "Pause");
    EXPECT_FALSE(panelp->isHidden());

    view.ShowLayout(true);
    EXPECT_EQ(state.menuMode, 1);
    EXPECT_EQ(state.cheatCount, 0);
    EXPECT_EQ(state.paused, 0);
    EXPECT_EQ(state.gameOver, 0);
    EXPECT_EQ(panel->mode()->caption(), "0");
    EXPECT_TRUE(panelp->isHidden());
    EXPECT_FALSE(view.hasPlayerFrame(0));
    EXPECT_FALSE(view.hasTeamFrame(0));
    EXPECT_TRUE(panel->findChildren<QFrame*>(QString(), Qt::FindDirectChildrenOnly).size() == 1);
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.pixel(1023, 720), qRgb(0, 0, 0));
    EXPECT_FALSE(menup->isHidden());
    EXPECT_TRUE(panel->panel2()->isHidden());
}

TEST_F(ScoreFramesTest, LevelCaptionsAndSharesGoToThePanelReadouts)
{
    join(0, 0);
    startGame();
    view.setLevelCaptions("Level 20", "(22; 10)");
    view.setNeededShare(0.75);
    state.fieldShare = 0.123;
    view.UpdateScores();
    EXPECT_EQ(panel->levl()->text(), "Level 20");
    EXPECT_EQ(panel->stwl()->text(), "(22; 10)");
    EXPECT_EQ(panel->terrainmax()->text(), "75.00%");
    EXPECT_EQ(panel->terrainl()->text(), "12.30%");
    EXPECT_EQ(panel->terrainl()->geometry().right() + 1, 229);
    EXPECT_EQ(panel->Label1()->text(), "Needed:");
    EXPECT_EQ(panel->menub()->text(), "Menu");
    EXPECT_EQ(panel->Button4()->text(), "Close");
    EXPECT_EQ(panel->mode()->geometry(), QRect(120, 32, 25, 25));
}

} // namespace
