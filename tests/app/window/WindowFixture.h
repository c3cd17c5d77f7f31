// A shown main window with its settings file in a temporary folder, and a scripted prompt and
// setup dialog in place of the modal ones
#pragma once
#include "TForm1.h"
#include "Widgets.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

class Window : public ::testing::Test {
protected:
    Window()
        : form(iniPath())
    {
        form.show();
        // Both record their question or hand over the chosen teams, then give the scripted answer
        form.setPrompt([this](const QString& question) { return questions << question, answer; });
        form.setSetupDialog([this](fendral::GameState& state) {
            return state.teamAssignment = teams, dialogAnswer;
        });
    }

    QString iniPath() const { return folder.filePath("Fendral.ini"); }
    fendral::GameState& state() { return form.state(); }
    void startGame() { QTest::keyClick(&form, Qt::Key_Return); }
    bool pauseShown() { return form.panelp()->isVisible() && form.panelp()->caption() == "Pause"; }

    QTemporaryDir folder;
    fendral::TForm1 form;
    // [team][player]: Alpha in W, Beta in X
    decltype(fendral::GameState::teamAssignment) teams { { { 1, 0, 0, 0 }, { 0, 1, 0, 0 } } };
    QStringList questions;
    bool answer = false, dialogAnswer = true;
};
