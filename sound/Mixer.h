// Several effects at once: summed with headroom, the volume applied, peaks softened, never clipped
#pragma once

#include "Synthesizer.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace fendral {

// Played from the user-interface thread, mixed from the audio device's own thread.
class Mixer {
public:
    static constexpr int MaxVoices = 16; // a seventeenth effect replaces the oldest
    static constexpr int VolumeSteps = 10;
    static constexpr float Headroom = 32000; // the loudest sample the limiter can give, of 32767

    // Starts an effect; the clip must outlive its playing (the effect bank's clips do).
    void play(const Clip& clip);
    void stopAll();
    // 0 (silent) .. VolumeSteps (full)
    void setVolumeStep(int step);
    int volumeStep() const;
    int activeVoices() const;

    // Writes the next frames of the sum of all effects playing, as signed 16-bit samples.
    void mix(int16_t* out, int frames);

    // The soft limiter: the identity up to the knee, then a smooth curve that approaches 1 and
    // never reaches it, so a sum of loud effects is squeezed instead of clipped.
    static float limit(float x);

private:
    struct Voice {
        const Clip* clip;
        size_t position;
    };

    mutable std::mutex m_mutex;
    std::vector<Voice> m_voices;
    std::vector<float> m_sum;
    int m_volumeStep = 7;
    float m_gain = 0.49f;
};

} // namespace fendral
