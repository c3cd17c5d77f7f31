// A shown main window with its settings file in a temporary folder, and a scripted prompt and
// setup dialog in place of the modal ones
#pragma once
#include "MainWindow.h"
#include "Widgets.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

class Window : public ::testing::Test {
protected:
    Window()
        : mainWindow(settingsPath())
    {
        mainWindow.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
        // Both record their question or hand over the chosen teams, then give the scripted answer
        mainWindow.setPrompt(
            [this](const QString& question) { return questions << question, answer; });
        mainWindow.setSetupRunner([this](fendral::GameState& state) {
            return state.teamAssignment = teams, dialogAnswer;
        });
    }

    QString settingsPath() const { return folder.filePath("Fendral.ini"); }
    fendral::GameState& state() { return mainWindow.state(); }
    void startGame() { QTest::keyClick(&mainWindow, Qt::Key_Return); }
    bool pauseShown()
    {
        return mainWindow.messagePanel()->isVisible()
            && mainWindow.messagePanel()->caption() == "Pause";
    }

    QTemporaryDir folder;
    fendral::MainWindow mainWindow;
    // [team][player]: Alpha in W, Beta in X
    decltype(fendral::GameState::teamAssignment) teams { { { 1, 0, 0, 0 }, { 0, 1, 0, 0 } } };
    QStringList questions;
    bool answer = false, dialogAnswer = true;
};
