// The game's sound: hears the game's events and plays their effects through the audio device
#pragma once

#include "AudioOutput.h"
#include "Mixer.h"
#include "SoundCues.h"
#include "Synthesizer.h"

#include <cstdint>
#include <functional>

union SDL_Event;

namespace fendral {

// Sound is off until switched on; switched off, the device is closed and costs nothing.
class Sound {
public:
    using Clock = std::function<int64_t()>; // ms on a steady clock

    Sound();

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // 0 .. Mixer::VolumeSteps
    void setVolumeStep(int step) { m_mixer.setVolumeStep(step); }
    int volumeStep() const { return m_mixer.volumeStep(); }
    bool hasDevice() const { return m_output.isOpen(); }

    // Plays the effect of a game event, when sound is on and no effect of its kind began just now.
    void gameEvent(const GameEvent& event);
    // An event from SDL's queue: audio devices coming or going are acted on, the rest ignored.
    void sdlEvent(const SDL_Event& event);

    // Tests drive the clock of the cues themselves
    void setClock(Clock clock) { m_clock = std::move(clock); }
    const Mixer& mixer() const { return m_mixer; }

private:
    EffectBank m_effects;
    Mixer m_mixer;
    SoundCues m_cues;
    Clock m_clock;
    bool m_enabled = false;
    AudioOutput m_output; // last: its thread renders from the mixer and stops first
};

} // namespace fendral
