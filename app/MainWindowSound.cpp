// The main window's sound: the game's events reach it through the view; F8 or a click on the
// sound mark switches it, F7 and F9 set the volume; the pads' reading of SDL's queue hands it the
// audio devices coming and going
#include "MainWindow.h"

#include "DisplayView.h"
#include "Gamepads.h"
#include "Settings.h"
#include "Sound.h"
#include "SoundMark.h"
#include "StatusPanel.h"
#include "VirtualKeys.h"

#include <algorithm>

namespace fendral {

static_assert(SoundChoice::VolumeSteps == Mixer::VolumeSteps, "the file keeps the mixer's steps");

void MainWindow::connectSound()
{
    m_sound = std::make_unique<Sound>();
    m_view->addGameEventListener([this](const GameEvent& event) { m_sound->gameEvent(event); });
    m_gamepads->setOtherEventHandler([this](const SDL_Event& event) { m_sound->sdlEvent(event); });
    connect(m_statusPanel->soundMark(), &SoundMark::clicked, this, &MainWindow::toggleSound);
}

void MainWindow::setSoundChoice(const SoundChoice& choice)
{
    m_soundChoice = choice;
    m_soundChoice.volumeStep = std::clamp(choice.volumeStep, 0, SoundChoice::VolumeSteps);
    m_sound->setVolumeStep(m_soundChoice.volumeStep);
    m_sound->setEnabled(m_soundChoice.on);
    m_statusPanel->soundMark()->setState(m_soundChoice.on, m_soundChoice.volumeStep);
}

void MainWindow::toggleSound()
{
    SoundChoice choice = m_soundChoice;
    choice.on = !choice.on;
    setSoundChoice(choice);
}

bool MainWindow::handleSoundKey(int key)
{
    SoundChoice choice = m_soundChoice;
    if (key == VK_F8)
        choice.on = !choice.on;
    else if (key == VK_F7 || key == VK_F9)
        choice.volumeStep += key == VK_F9 ? 1 : -1;
    else
        return false;
    setSoundChoice(choice);
    return true;
}

} // namespace fendral
