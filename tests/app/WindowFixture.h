// A shown main window with its settings file in a temporary folder, and a scripted prompt and
// setup dialog in place of the modal ones, unless the program's own is asked for
#pragma once
#include "MainWindow.h"
#include "Widgets.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

enum class RealDialog { None, Question, Setup };

struct ShownWindow {
    explicit ShownWindow(RealDialog real = RealDialog::None)
        : mainWindow(folder.filePath("Fendral.ini"))
    {
        mainWindow.replayStore().setFolder(folder.filePath("replays"));
        mainWindow.show();
        // Exposed and active before the test begins: a late expose would repaint everything in
        // its midst, and the pads are heard only while the program is active
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
        EXPECT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
        // Both record their question or hand over the chosen teams, then give the scripted answer
        if (real != RealDialog::Question)
            mainWindow.setPrompt(
                [this](const QString& question) { return questions << question, answer; });
        if (real != RealDialog::Setup)
            mainWindow.setSetupRunner(
                [this](fendral::GameState& state) { return state.teamAssignment = teams, true; });
        mainWindow.setNotice([this](const QString& message) { notices << message; });
        mainWindow.setGamesRunner([](fendral::ReplayStore&) { return QString(); });
        mainWindow.setSummaryRunner([this](auto&, int place, auto&, bool) {
            return places << place, fendral::MainWindow::SummaryChoice { "Tester", watch };
        });
    }

    fendral::GameState& state() { return mainWindow.state(); }
    void startGame() { QTest::keyClick(&mainWindow, Qt::Key_Return); }
    QString message() const
    {
        return mainWindow.messagePanel()->isVisible() ? mainWindow.messagePanel()->caption() : "";
    }

    QTemporaryDir folder;
    fendral::MainWindow mainWindow;
    // [team][player]: Alpha in W, Beta in X
    decltype(fendral::GameState::teamAssignment) teams { { { 1, 0, 0, 0 }, { 0, 1, 0, 0 } } };
    QStringList questions, notices;
    QList<int> places; // of each summary shown
    bool answer = false, watch = false; // watch: chosen in the summary
};

class Window : public ::testing::Test, public ShownWindow { };
