#include "Mixer.h"

#include <algorithm>
#include <cmath>

namespace fendral {

namespace {
    constexpr float Knee = 0.6f;
}

void Mixer::play(const Clip& clip)
{
    if (clip.empty())
        return;
    const std::lock_guard lock(m_mutex);
    if (static_cast<int>(m_voices.size()) == MaxVoices)
        m_voices.erase(m_voices.begin());
    m_voices.push_back({ &clip, 0 });
}

void Mixer::stopAll()
{
    const std::lock_guard lock(m_mutex);
    m_voices.clear();
}

void Mixer::setVolumeStep(int step)
{
    const std::lock_guard lock(m_mutex);
    m_volumeStep = std::clamp(step, 0, VolumeSteps);
    // Loudness is heard roughly by the square of the amplitude's fraction
    const float fraction = static_cast<float>(m_volumeStep) / VolumeSteps;
    m_gain = fraction * fraction;
}

int Mixer::volumeStep() const
{
    const std::lock_guard lock(m_mutex);
    return m_volumeStep;
}

int Mixer::activeVoices() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_voices.size());
}

float Mixer::limit(float x)
{
    const float magnitude = std::abs(x);
    if (magnitude <= Knee)
        return x;
    const float squeezed = Knee + (1 - Knee) * std::tanh((magnitude - Knee) / (1 - Knee));
    return std::copysign(squeezed, x);
}

void Mixer::mix(int16_t* out, int frames)
{
    if (frames <= 0)
        return;
    const std::lock_guard lock(m_mutex);
    m_sum.assign(static_cast<size_t>(frames), 0.0f);
    for (Voice& voice : m_voices) {
        const size_t count = std::min(m_sum.size(), voice.clip->size() - voice.position);
        const float* samples = voice.clip->data() + voice.position;
        for (size_t i = 0; i < count; ++i)
            m_sum[i] += samples[i];
        voice.position += count;
    }
    std::erase_if(
        m_voices, [](const Voice& voice) { return voice.position >= voice.clip->size(); });
    for (size_t i = 0; i < m_sum.size(); ++i)
        out[i] = static_cast<int16_t>(std::lround(limit(m_sum[i] * m_gain) * Headroom));
}

} // namespace fendral
