#include "Sound.h"

#include <SDL.h>

#include <chrono>

namespace fendral {

Sound::Sound()
    : m_clock([] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<int64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    })
    , m_output([this](int16_t* samples, int frames) { m_mixer.mix(samples, frames); })
{
}

void Sound::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled)
        m_mixer.stopAll();
    m_output.setWanted(enabled);
}

void Sound::gameEvent(const GameEvent& event)
{
    if (!m_enabled)
        return;
    // Effects asked for while no device plays them would only sound late, once one opens
    if (!m_output.isOpen()) {
        m_mixer.stopAll();
        return;
    }
    if (const std::optional<Cue> cue = m_cues.cueFor(event, m_clock()))
        m_mixer.play(m_effects.clip(cue->kind, cue->pitchStep));
}

void Sound::sdlEvent(const SDL_Event& event)
{
    if (event.type == SDL_AUDIODEVICEADDED || event.type == SDL_AUDIODEVICEREMOVED)
        m_output.devicesChanged();
}

} // namespace fendral
