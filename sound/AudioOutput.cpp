#include "AudioOutput.h"

#include "Synthesizer.h"

#include <SDL.h>

#include <chrono>

namespace fendral {

AudioOutput::AudioOutput(Render render)
    : m_render(std::move(render))
    , m_thread([this] { run(); })
{
}

AudioOutput::~AudioOutput()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void AudioOutput::setWanted(bool wanted)
{
    {
        const std::lock_guard lock(m_mutex);
        m_wanted = wanted;
        m_changed = true;
    }
    m_wake.notify_one();
}

void AudioOutput::devicesChanged()
{
    {
        const std::lock_guard lock(m_mutex);
        m_changed = true;
    }
    m_wake.notify_one();
}

void AudioOutput::run()
{
    // Ctrl+C in a terminal belongs to Qt's default handling, not to an SDL quit event nobody reads
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        const bool wanted = m_wanted;
        m_changed = false;
        lock.unlock();
        // A vanished device stays open to SDL, but stopped
        if (m_device != 0 && (!wanted || SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED))
            closeDevice();
        if (wanted && m_device == 0)
            openDevice();
        lock.lock();
        m_wake.wait_for(lock, std::chrono::milliseconds(RetryInterval),
            [this] { return m_stopping || m_changed; });
    }
    lock.unlock();
    closeDevice();
    if (m_sdlStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS);
}

void AudioOutput::openDevice()
{
    // SDL's audio starts with the first device wanted, and again after a failure to start
    if (!m_sdlStarted)
        m_sdlStarted = SDL_InitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS) == 0;
    if (!m_sdlStarted)
        return;
    SDL_AudioSpec wanted {};
    wanted.freq = SampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = BufferFrames;
    wanted.callback = &AudioOutput::renderCallback;
    wanted.userdata = this;
    // No changes allowed: SDL converts whatever the device takes
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (m_device == 0)
        return;
    m_open = true;
    SDL_PauseAudioDevice(m_device, 0);
}

void AudioOutput::closeDevice()
{
    if (m_device == 0)
        return;
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
    m_open = false;
}

void AudioOutput::renderCallback(void* output, uint8_t* stream, int length)
{
    const auto* self = static_cast<AudioOutput*>(output);
    self->m_render(reinterpret_cast<int16_t*>(stream), length / static_cast<int>(sizeof(int16_t)));
}

} // namespace fendral
