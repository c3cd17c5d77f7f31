// The synthesized effects over every kind and pitch, the mixer and its limiter at their loudest,
// and the cues that keep a burst of events from flooding them
#include "Mixer.h"
#include "SoundCues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace fendral;

namespace {

float peak(const Clip& c)
{
    return std::abs(*std::max_element(
        c.begin(), c.end(), [](float a, float b) { return std::abs(a) < std::abs(b); }));
}

// An independent estimate of the pitch heard: sign changes per second, halved
double crossingRate(const Clip& c)
{
    int crossings = 0;
    for (size_t i = 1; i < c.size(); ++i)
        crossings += (c[i - 1] < 0) != (c[i] < 0);
    return crossings / 2.0 * SampleRate / static_cast<double>(c.size());
}

// A trail closed sounds higher for a larger share; every other kind has one clip
int clipsOf(int kind) { return kind == GameEvent::TrailClosed ? TrailPitchSteps : 1; }

double correlation(const Clip& a, const Clip& b)
{
    const auto dot = [](const Clip& x, const Clip& y) {
        return std::inner_product(
            x.begin(), x.begin() + std::min(x.size(), y.size()), y.begin(), 0.0);
    };
    return dot(a, b) / std::sqrt(dot(a, a) * dot(b, b));
}

} // namespace

// Every effect, of every kind and pitch, from the bank the sound plays them from; and all of them
// at once, twice over, at full volume
TEST(Effects, AreShortAudibleSoftAndDistinctAndAllAtOnceNeverClip)
{
    const EffectBank bank;
    Mixer mixer;
    mixer.setVolumeStep(Mixer::VolumeSteps);
    std::vector<Clip> kinds;
    for (int kind = 0; kind < GameEvent::KindCount; ++kind)
        for (int step = 0; step < clipsOf(kind); ++step) {
            const Clip& clip = bank.clip(static_cast<GameEvent::Kind>(kind), step);
            SCOPED_TRACE(testing::Message() << "kind " << kind << " step " << step);
            ASSERT_GT(clip.size(), SampleRate / 20u);
            EXPECT_LE(clip.size(), static_cast<size_t>(SampleRate)); // at most a second
            EXPECT_GE(peak(clip), 0.25f); // heard beside the others
            EXPECT_LE(peak(clip), 0.7f); // room for a few at once before the limiter
            EXPECT_LT(std::abs(clip.front()) + std::abs(clip.back()), 0.01f); // no click
            EXPECT_LT(crossingRate(clip), 1200); // nothing shrill
            if (step == 0)
                kinds.push_back(clip);
            for (int copy = 0; copy < 2 && step == clipsOf(kind) - 1; ++copy)
                mixer.play(clip);
        }
    for (size_t i = 0; i < kinds.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            EXPECT_LT(correlation(kinds[i], kinds[j]), 0.8) << "kinds " << i << " and " << j;
    // A trail closed rises with its pitch step, an octave and more over the steps
    EXPECT_GT(crossingRate(bank.clip(GameEvent::TrailClosed, TrailPitchSteps - 1)),
        1.9 * crossingRate(bank.clip(GameEvent::TrailClosed, 0)));
    std::vector<int16_t> out(SampleRate);
    mixer.mix(out.data(), static_cast<int>(out.size()));
    const auto [low, high] = std::minmax_element(out.begin(), out.end());
    EXPECT_GT(*high, 16000); // loud, but never at the rail
    EXPECT_LT(std::max<int>(*high, -*low), 32767);
    EXPECT_EQ(mixer.activeVoices(), 0); // every effect ends within the second
    // Quiet effects pass the limiter unchanged; a loud sum is squeezed, never flattened, either way
    for (float x = 0; x < 20; x += 0.01f) {
        EXPECT_EQ(Mixer::limit(std::min(x, 0.6f)), std::min(x, 0.6f));
        EXPECT_LE(Mixer::limit(x), 1.0f);
        EXPECT_EQ(Mixer::limit(-x), -Mixer::limit(x));
        EXPECT_TRUE(x >= 3 || Mixer::limit(x) < Mixer::limit(x + 0.01f)) << x;
    }
}

TEST(SoundCues, ABurstOfOneKindIsCuedOncePer100Ms)
{
    SoundCues cues;
    int deaths = 0;
    for (int64_t now = 5000; now < 6000; now += 25) // a death every 25 ms for a second
        deaths += cues.cueFor({ GameEvent::PlayerDied, 0 }, now).has_value();
    EXPECT_EQ(deaths, 10);
    EXPECT_TRUE(cues.cueFor({ GameEvent::Paused }, 5990).has_value()); // another kind still sounds
    EXPECT_EQ(cues.cueFor({ GameEvent::TrailClosed, -1, 1.0 }, 0)->pitchStep, TrailPitchSteps - 1);
}
