#include "FinishSound.hpp"

#include <cmath>

#include "AudioFile.hpp"
#include "Synth.hpp"

std::vector<int16_t> SynthesiseFinish() {
    // A major arpeggio upwards, each note a little later and longer than the last.
    const int notes[4] = {72, 76, 79, 84};
    const float starts[4] = {0.0f, 0.09f, 0.18f, 0.29f};
    const int frames = SampleRate * 13 / 10;
    std::vector<float> samples(static_cast<size_t>(frames), 0.0f);
    for (int n = 0; n < 4; ++n) {
        const float frequency = NoteFrequency(notes[n]);
        const float decay = 5.0f - float(n);
        for (int i = int(starts[n] * SampleRate); i < frames; ++i) {
            const float t = float(i) / float(SampleRate) - starts[n];
            const float attack = std::min(1.0f, t / 0.004f);
            // A bell: the fundamental, a bright partial and a faint inharmonic shimmer.
            const float tone = std::sin(6.2831853f * frequency * t) + 0.35f * std::sin(6.2831853f * 2.0f * frequency * t) +
                               0.12f * std::sin(6.2831853f * 2.76f * frequency * t) * std::exp(-t * 9.0f);
            samples[size_t(i)] += 0.16f * tone * attack * std::exp(-t * decay);
        }
    }
    // The last few milliseconds fade to silence, so the end never clicks.
    const int fade = SampleRate / 50;
    for (int i = 0; i < fade; ++i) samples[size_t(frames - 1 - i)] *= float(i) / float(fade);
    return ToPcm16(samples);
}
