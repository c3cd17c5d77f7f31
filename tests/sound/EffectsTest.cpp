// The synthesized effects in one table over every kind and pitch, and the mixer at its loudest
#include "Mixer.h"
#include "Synthesizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace fendral;

namespace {

float peak(const Clip& clip)
{
    return std::transform_reduce(
        clip.begin(), clip.end(), 0.0f, [](float a, float b) { return std::max(a, b); },
        [](float x) { return std::abs(x); });
}

// An independent estimate of the pitch heard: sign changes per second, halved
double crossingRate(const Clip& clip)
{
    int crossings = 0;
    for (size_t i = 1; i < clip.size(); ++i)
        crossings += (clip[i - 1] < 0) != (clip[i] < 0);
    return crossings / 2.0 / (static_cast<double>(clip.size()) / SampleRate);
}

double correlation(const Clip& a, const Clip& b)
{
    const size_t n = std::min(a.size(), b.size());
    const double ab = std::inner_product(a.begin(), a.begin() + n, b.begin(), 0.0);
    const double aa = std::inner_product(a.begin(), a.end(), a.begin(), 0.0);
    const double bb = std::inner_product(b.begin(), b.end(), b.begin(), 0.0);
    return ab / std::sqrt(aa * bb);
}

} // namespace

TEST(Effects, AreShortAudibleUnclippedSoftAndDistinct)
{
    std::vector<Clip> clips;
    for (int kind = 0; kind < GameEvent::KindCount; ++kind)
        for (int step = 0; step < (kind == GameEvent::TrailClosed ? TrailPitchSteps : 1); ++step) {
            const Clip clip = synthesize(static_cast<GameEvent::Kind>(kind), step);
            SCOPED_TRACE(testing::Message() << "kind " << kind << " step " << step);
            ASSERT_GT(clip.size(), SampleRate / 20u);
            EXPECT_LE(clip.size(), static_cast<size_t>(SampleRate)); // at most a second
            EXPECT_GE(peak(clip), 0.25f); // heard beside the others
            EXPECT_LE(peak(clip), 0.7f); // room for a few at once before the limiter
            EXPECT_LT(std::abs(clip.front()) + std::abs(clip.back()), 0.01f); // no click
            EXPECT_LT(crossingRate(clip), 1200); // nothing shrill
            if (step == 0)
                clips.push_back(clip);
        }
    for (size_t i = 0; i < clips.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            EXPECT_LT(correlation(clips[i], clips[j]), 0.8) << "kinds " << i << " and " << j;
    // A trail closed rises with its pitch step
    EXPECT_GT(crossingRate(synthesize(GameEvent::TrailClosed, TrailPitchSteps - 1)),
        1.9 * crossingRate(synthesize(GameEvent::TrailClosed, 0)));
}

TEST(Mixer, EveryEffectAtOnceAtFullVolumeNeverClips)
{
    const EffectBank bank;
    Mixer mixer;
    mixer.setVolumeStep(Mixer::VolumeSteps);
    for (int kind = 0; kind < GameEvent::KindCount; ++kind)
        for (int copies = 0; copies < 2; ++copies)
            mixer.play(bank.clip(static_cast<GameEvent::Kind>(kind), TrailPitchSteps - 1));
    EXPECT_EQ(mixer.activeVoices(), Mixer::MaxVoices);
    std::vector<int16_t> out(SampleRate);
    mixer.mix(out.data(), static_cast<int>(out.size()));
    const auto [low, high] = std::minmax_element(out.begin(), out.end());
    EXPECT_GT(*high, 16000); // loud ...
    EXPECT_LT(*high, 32767); // ... but never at the rail
    EXPECT_GT(*low, -32767);
    EXPECT_EQ(mixer.activeVoices(), 0); // every effect ends within the second
    // Quiet effects pass the limiter unchanged; a loud sum is squeezed, never flattened
    for (float x = 0; x < 20; x += 0.01f) {
        EXPECT_EQ(Mixer::limit(std::min(x, 0.6f)), std::min(x, 0.6f));
        EXPECT_LE(Mixer::limit(x), 1.0f);
        EXPECT_TRUE(x >= 3 || Mixer::limit(x) < Mixer::limit(x + 0.01f)) << x;
        EXPECT_EQ(Mixer::limit(-x), -Mixer::limit(x));
    }
}
