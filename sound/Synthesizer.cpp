#include "Synthesizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numbers>

namespace fendral {

namespace {

    enum class Wave { Sine, Triangle, Noise };

    // One voice of an effect: a tone that glides exponentially from one pitch to another (noise
    // takes the pitch as its low-pass corner), under an envelope that rises in 5 ms, decays at
    // `decay` per second and fades out over the last 15 ms, so that nothing clicks.
    struct Note {
        double start; // s after the effect begins
        double length; // s
        double fromHz;
        double toHz;
        Wave wave;
        double level;
        double decay = 3;
    };

    constexpr double Attack = 0.005;
    constexpr double Release = 0.015;
    constexpr double TwoPi = 2 * std::numbers::pi;

    double triangle(double phase)
    {
        const double t = phase / TwoPi;
        return 4 * std::abs(t - std::floor(t + 0.5)) - 1;
    }

    // A fixed sequence, so that every run of the game sounds the same
    class NoiseSource {
    public:
        double next()
        {
            m_state = m_state * 1664525u + 1013904223u;
            return static_cast<double>(m_state >> 8) / (1 << 23) - 1;
        }

    private:
        uint32_t m_state = 12345;
    };

    void addNote(Clip& clip, const Note& note)
    {
        const auto first = static_cast<size_t>(note.start * SampleRate);
        const auto count = static_cast<size_t>(note.length * SampleRate);
        if (clip.size() < first + count)
            clip.resize(first + count, 0.0f);
        NoiseSource noise;
        double phase = 0;
        double lowPassed = 0;
        for (size_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / SampleRate;
            const double hz = note.fromHz * std::pow(note.toHz / note.fromHz, t / note.length);
            const double envelope = std::min({ 1.0, t / Attack, (note.length - t) / Release })
                * std::exp(-note.decay * t);
            double value = 0;
            switch (note.wave) {
            case Wave::Sine:
                value = std::sin(phase);
                break;
            case Wave::Triangle:
                value = triangle(phase);
                break;
            case Wave::Noise:
                lowPassed += (noise.next() - lowPassed) * (1 - std::exp(-TwoPi * hz / SampleRate));
                value = 2 * lowPassed;
                break;
            }
            phase = std::fmod(phase + TwoPi * hz / SampleRate, TwoPi);
            clip[first + i] += static_cast<float>(note.level * envelope * value);
        }
    }

    Clip render(std::initializer_list<Note> notes)
    {
        Clip clip;
        for (const Note& note : notes)
            addNote(clip, note);
        return clip;
    }

    // Notes of the middle octaves: nothing in the game is shriller than a high C
    constexpr double G3 = 196.0, C4 = 261.6, Eb4 = 311.1, E4 = 329.6, G4 = 392.0, A4 = 440.0,
                     C5 = 523.3, E5 = 659.3, G5 = 784.0, B5 = 987.8, C6 = 1046.5;

    Clip trailClosed(int pitchStep)
    {
        const double root
            = E4 * std::pow(2.0, std::clamp(pitchStep, 0, TrailPitchSteps - 1) / 12.0);
        const double fifth = root * 1.5;
        return render({ { 0, 0.09, root, root, Wave::Triangle, 0.4, 6 },
            { 0.08, 0.22, fifth, fifth, Wave::Triangle, 0.4, 6 } });
    }

} // namespace

Clip synthesize(GameEvent::Kind kind, int pitchStep)
{
    using W = Wave;
    switch (kind) {
    case GameEvent::LeftGround: // a short soft blip upwards
        return render({ { 0, 0.07, 300, 450, W::Sine, 0.35, 8 } });
    case GameEvent::TrailClosed: // a fifth upwards, higher for a larger share
        return trailClosed(pitchStep);
    case GameEvent::RegionCaptured: // a swelling fifth
        return render({ { 0, 0.35, C5 * 0.8, C5, W::Sine, 0.28, 4 },
            { 0.03, 0.32, G5 * 0.8, G5, W::Sine, 0.22, 4 } });
    case GameEvent::PlayerDied: // a falling growl with a thud of noise
        return render(
            { { 0, 0.55, A4, 110, W::Triangle, 0.45, 2 }, { 0, 0.3, 700, 200, W::Noise, 0.3, 6 } });
    case GameEvent::LifeBought: // a coin
        return render(
            { { 0, 0.08, E5, E5, W::Sine, 0.4, 2 }, { 0.07, 0.2, B5, B5, W::Sine, 0.4, 8 } });
    case GameEvent::PlayerRevived: // a sweep up out of the deep
        return render({ { 0, 0.35, G3, E5, W::Triangle, 0.4, 2 } });
    case GameEvent::LevelCompleted: // an arpeggio up to the high C
        return render({ { 0, 0.11, C5, C5, W::Triangle, 0.35 },
            { 0.11, 0.11, E5, E5, W::Triangle, 0.35 }, { 0.22, 0.11, G5, G5, W::Triangle, 0.35 },
            { 0.33, 0.4, C6, C6, W::Triangle, 0.35, 4 } });
    case GameEvent::GameOver: // three falling minor steps, the last one sagging
        return render(
            { { 0, 0.25, G4, G4, W::Triangle, 0.4 }, { 0.25, 0.25, Eb4, Eb4, W::Triangle, 0.4 },
                { 0.5, 0.45, C4, G3, W::Triangle, 0.4, 3 } });
    case GameEvent::GameCompleted: // an arpeggio and a held major chord
        return render({ { 0, 0.1, C5, C5, W::Triangle, 0.35 },
            { 0.1, 0.1, E5, E5, W::Triangle, 0.35 }, { 0.2, 0.1, G5, G5, W::Triangle, 0.35 },
            { 0.3, 0.65, C5, C5, W::Sine, 0.15, 2 }, { 0.3, 0.65, E5, E5, W::Sine, 0.15, 2 },
            { 0.3, 0.65, G5, G5, W::Sine, 0.15, 2 }, { 0.3, 0.65, C6, C6, W::Triangle, 0.15, 2 } });
    case GameEvent::Paused: // two soft notes down
        return render(
            { { 0, 0.07, E5, E5, W::Sine, 0.3, 4 }, { 0.07, 0.12, A4, A4, W::Sine, 0.3, 8 } });
    case GameEvent::Continued: // the same two notes up
        return render(
            { { 0, 0.07, A4, A4, W::Sine, 0.3, 4 }, { 0.07, 0.12, E5, E5, W::Sine, 0.3, 8 } });
    }
    return {};
}

EffectBank::EffectBank()
{
    for (int kind = 0; kind < GameEvent::KindCount; ++kind)
        m_clips[kind] = synthesize(static_cast<GameEvent::Kind>(kind));
    for (int step = 0; step < TrailPitchSteps; ++step)
        m_trailClips[step] = synthesize(GameEvent::TrailClosed, step);
}

const Clip& EffectBank::clip(GameEvent::Kind kind, int pitchStep) const
{
    if (kind == GameEvent::TrailClosed)
        return m_trailClips[std::clamp(pitchStep, 0, TrailPitchSteps - 1)];
    return m_clips[std::clamp(static_cast<int>(kind), 0, GameEvent::KindCount - 1)];
}

} // namespace fendral
