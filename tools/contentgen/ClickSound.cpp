#include "ClickSound.hpp"

#include <algorithm>
#include <cmath>

#include "AudioFile.hpp"
#include "Synth.hpp"

std::vector<int16_t> SynthesiseClick(int variant) {
    const float pitch[4] = {1650.0f, 1780.0f, 1560.0f, 1710.0f};
    const float decay[4] = {95.0f, 110.0f, 85.0f, 100.0f};
    const float knock[4] = {520.0f, 560.0f, 500.0f, 540.0f};
    const int frames = SampleRate * 45 / 1000;
    NoiseSource noise(uint32_t(variant) * 7919u + 1u);
    float low = 0.0f;
    std::vector<float> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        const float t = float(i) / float(SampleRate);
        const float attack = std::min(1.0f, t / 0.0006f);
        const float tick = std::sin(6.2831853f * pitch[variant] * t * (1.0f - 2.0f * t)) * std::exp(-t * decay[variant]);
        const float body = 0.7f * std::sin(6.2831853f * knock[variant] * t) * std::exp(-t * 70.0f);
        low += (noise.Next() - low) * 0.25f;  // a breath of softened noise for the contact
        const float contact = 0.4f * low * std::exp(-t * 400.0f);
        const float fade = std::min(1.0f, float(frames - i) / float(SampleRate / 500));
        samples[size_t(i)] = 0.32f * (tick + body + contact) * attack * fade;
    }
    return ToPcm16(samples);
}
