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
        : form(settingsPath())
    {
        form.show();
        // Both record their question or hand over the chosen teams, then give the scripted answer
        form.setPrompt([this](const QString& question) { return questions << question, answer; });
        form.setSetupRunner([this](fendral::GameState& state) {
            return state.teamAssignment = teams, dialogAnswer;
        });
    }

    QString settingsPath() const { return folder.filePath("Fendral.ini"); }
    fendral::GameState& state() { return form.state(); }
    void startGame() { QTest::keyClick(&form, Qt::Key_Return); }
    bool pauseShown()
    {
        return form.messagePanel()->isVisible() && form.messagePanel()->caption() == "Pause";
    }

    QTemporaryDir folder;
    fendral::MainWindow form;
    // [team][player]: Alpha in W, Beta in X
    decltype(fendral::GameState::teamAssignment) teams { { { 1, 0, 0, 0 }, { 0, 1, 0, 0 } } };
    QStringList questions;
    bool answer = false, dialogAnswer = true;
};
