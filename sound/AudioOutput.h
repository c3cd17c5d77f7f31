// SDL2's audio device, opened and closed on a thread of its own: the game never waits for it
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace fendral {

// Opening a device may block (a sound server that does not answer, a device held by another
// program), so the device is opened, checked and closed only on the output's own thread. While
// it is wanted and there is none, it is tried again whenever SDL reports devices coming or going,
// and every RetryInterval besides; a device that vanishes is closed and the output goes on
// silent. The render function runs on SDL's audio thread.
class AudioOutput {
public:
    using Render = std::function<void(int16_t* samples, int frames)>;
    static constexpr int RetryInterval = 5000; // ms
    static constexpr int BufferFrames = 1024;

    explicit AudioOutput(Render render);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens a device when wanted, closes it when not; returns at once.
    void setWanted(bool wanted);
    // SDL reported an audio device plugged in or out: check the open one, or try again.
    void devicesChanged();
    bool isOpen() const { return m_open; }

private:
    void run();
    void openDevice();
    void closeDevice();
    static void renderCallback(void* output, uint8_t* stream, int length);

    Render m_render;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_wanted = false; // these three are guarded by m_mutex
    bool m_changed = false;
    bool m_stopping = false;
    std::atomic<bool> m_open = false;
    uint32_t m_device = 0; // only the output's thread touches it
    bool m_sdlStarted = false;
    std::thread m_thread;
};

} // namespace fendral
