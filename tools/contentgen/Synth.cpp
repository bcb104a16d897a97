#include "Synth.hpp"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr float TwoPi = 6.28318530718f;

float Seconds(int64_t frames) { return float(frames) / float(SampleRate); }

// Adds a mono voice, sample by sample from `voice(t)` (t in seconds since the start), with
// equal-power panning, for `frames` frames from `start`.
void Mix(int64_t start, int64_t frames, float pan, float gain, float send, StereoBuffer& out,
         StereoBuffer& sendBuffer, const std::function<float(int64_t)>& voice) {
    const float angle = (pan + 1.0f) * 0.25f * 3.14159265f;
    const float gl = std::cos(angle) * gain, gr = std::sin(angle) * gain;
    for (int64_t i = 0; i < frames; ++i) {
        const int64_t at = start + i;
        if (at < 0) continue;
        if (at >= int64_t(out.frames())) break;
        const float v = voice(i);
        out.left[size_t(at)] += v * gl;
        out.right[size_t(at)] += v * gr;
        sendBuffer.left[size_t(at)] += v * gl * send;
        sendBuffer.right[size_t(at)] += v * gr * send;
    }
}

// Amplitude after note-off: a short linear release keeps note ends click-free.
float Release(int64_t i, int64_t length, int64_t release) {
    if (i < length) return 1.0f;
    return std::max(0.0f, 1.0f - float(i - length) / float(release));
}

float Attack(int64_t i, float seconds) { return std::min(1.0f, Seconds(i) / seconds); }

// Two one-pole low-pass stages.
struct LowPass {
    float a = 0, b = 0;
    float Step(float in, float coefficient) {
        a += (in - a) * coefficient;
        b += (a - b) * coefficient;
        return b;
    }
};

float Coefficient(float cutoffHz) { return 1.0f - std::exp(-TwoPi * cutoffHz / float(SampleRate)); }

}  // namespace

float NoiseSource::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return float(state_ >> 8) / float(1 << 23) - 1.0f;
}

float NoteFrequency(int midiNote) { return 440.0f * std::pow(2.0f, float(midiNote - 69) / 12.0f); }

void PlayBell(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send) {
    const float f = NoteFrequency(e.note);
    const int64_t release = SampleRate / 5;
    Mix(e.start, e.length + release, e.pan, 0.20f * e.velocity, 0.45f, out, send, [&](int64_t i) {
        const float t = Seconds(i);
        const float index = 1.6f * std::exp(-t * 5.0f) + 0.25f;
        const float carrier = std::sin(TwoPi * f * t + index * std::sin(TwoPi * 2.0f * f * t));
        const float shimmer = 0.25f * std::sin(TwoPi * 4.0f * f * t) * std::exp(-t * 9.0f);
        return (carrier + shimmer) * std::exp(-t * 2.2f) * Attack(i, 0.004f) * Release(i, e.length, release);
    });
}

void PlayPluck(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send) {
    const float f = NoteFrequency(e.note);
    const int64_t release = SampleRate / 20;
    LowPass filter;
    Mix(e.start, e.length + release, e.pan, 0.13f * e.velocity, 0.4f, out, send, [&](int64_t i) {
        const float t = Seconds(i);
        const float phase = f * t - std::floor(f * t);
        const float triangle = 4.0f * std::fabs(phase - 0.5f) - 1.0f;
        const float square = phase < 0.5f ? 0.6f : -0.6f;
        const float bright = filter.Step(triangle + square * 0.5f, Coefficient(600.0f + 4000.0f * std::exp(-t * 18.0f)));
        return bright * std::exp(-t * 7.0f) * Attack(i, 0.002f) * Release(i, e.length, release);
    });
}

void PlayPad(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send) {
    const float f = NoteFrequency(e.note);
    const int64_t release = SampleRate * 6 / 10;
    LowPass filter;
    Mix(e.start, e.length + release, e.pan, 0.05f * e.velocity, 0.5f, out, send, [&](int64_t i) {
        const float t = Seconds(i);
        float saw = 0.0f;
        for (float detune : {0.996f, 1.0f, 1.0045f}) {
            const float p = f * detune * t;
            saw += 2.0f * (p - std::floor(p)) - 1.0f;
        }
        const float wobble = 900.0f + 350.0f * std::sin(TwoPi * 0.25f * t);
        return filter.Step(saw, Coefficient(wobble)) * Attack(i, 0.35f) * Release(i, e.length, release);
    });
}

void PlayBass(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send) {
    const float f = NoteFrequency(e.note);
    const int64_t release = SampleRate / 40;
    LowPass filter;
    Mix(e.start, e.length + release, e.pan, 0.45f * e.velocity, 0.05f, out, send, [&](int64_t i) {
        const float t = Seconds(i);
        const float p = f * t - std::floor(f * t);
        const float wave = 0.6f * (2.0f * p - 1.0f) + 0.5f * std::sin(TwoPi * f * t);
        const float body = filter.Step(wave, Coefficient(180.0f + 1400.0f * std::exp(-t * 14.0f)));
        return body * (0.7f + 0.3f * std::exp(-t * 6.0f)) * Attack(i, 0.003f) * Release(i, e.length, release);
    });
}

void PlayKick(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send) {
    float phase = 0.0f;
    Mix(e.start, SampleRate * 4 / 10, e.pan, 0.45f * e.velocity, 0.02f, out, send, [&](int64_t i) {
        const float t = Seconds(i);
        phase += TwoPi * (45.0f + 85.0f * std::exp(-t * 28.0f)) / float(SampleRate);
        const float fade = std::min(1.0f, (0.4f - t) / 0.05f);  // ends at zero
        return std::sin(phase) * std::exp(-t * 7.0f) * Attack(i, 0.001f) * fade;
    });
}

void PlaySnare(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send) {
    NoiseSource noise(uint32_t(e.note) * 2654435761u + 17u);
    LowPass body;
    Mix(e.start, SampleRate / 4, e.pan, 0.22f * e.velocity, 0.3f, out, send, [&](int64_t i) {
        const float t = Seconds(i);
        const float n = noise.Next();
        const float crisp = n - body.Step(n, Coefficient(1800.0f));
        const float tone = 0.6f * std::sin(TwoPi * 185.0f * t) * std::exp(-t * 22.0f);
        const float fade = std::min(1.0f, (0.25f - t) / 0.03f);
        return (crisp * std::exp(-t * 16.0f) + tone) * Attack(i, 0.001f) * fade;
    });
}

void PlayHat(const NoteEvent& e, bool open, StereoBuffer& out, StereoBuffer& send) {
    NoiseSource noise(uint32_t(e.note) * 2246822519u + 3u);
    LowPass low;
    const int64_t frames = open ? SampleRate / 3 : SampleRate / 12;
    const float decay = open ? 9.0f : 55.0f;
    Mix(e.start, frames, e.pan, 0.1f * e.velocity, 0.15f, out, send, [&](int64_t i) {
        const float t = Seconds(i);
        const float n = noise.Next();
        const float fade = std::min(1.0f, float(frames - i) / float(SampleRate / 200));
        return (n - low.Step(n, Coefficient(6500.0f))) * std::exp(-t * decay) * Attack(i, 0.0005f) * fade;
    });
}

namespace {

struct Comb {
    std::vector<float> line;
    size_t at = 0;
    float store = 0;
    float Step(float in, float feedback, float damp) {
        const float out = line[at];
        store = out * (1.0f - damp) + store * damp;
        line[at] = in + store * feedback;
        at = (at + 1) % line.size();
        return out;
    }
};

struct Allpass {
    std::vector<float> line;
    size_t at = 0;
    float Step(float in) {
        const float delayed = line[at];
        line[at] = in + delayed * 0.5f;
        at = (at + 1) % line.size();
        return delayed - in;
    }
};

void Reverberate(const std::vector<float>& in, int spread, float wet, std::vector<float>& out) {
    std::vector<Comb> combs;
    for (int length : {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617})
        combs.push_back({std::vector<float>(size_t(length + spread)), 0, 0});
    std::vector<Allpass> allpasses;
    for (int length : {556, 441, 341, 225}) allpasses.push_back({std::vector<float>(size_t(length + spread)), 0});
    for (size_t i = 0; i < in.size(); ++i) {
        const float x = in[i] * 0.03f;
        float sum = 0.0f;
        for (Comb& c : combs) sum += c.Step(x, 0.80f, 0.35f);
        for (Allpass& a : allpasses) sum = a.Step(sum);
        out[i] += sum * wet;
    }
}

}  // namespace

void AddReverb(const StereoBuffer& send, float wet, StereoBuffer& out) {
    Reverberate(send.left, 0, wet, out.left);
    Reverberate(send.right, 23, wet, out.right);
}
