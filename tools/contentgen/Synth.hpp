#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int SampleRate = 44100;

// A small deterministic generator (xorshift), so noise is the same on every run.
class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    // Uniform in -1..1.
    float Next();

private:
    uint32_t state_;
};

// Two channels of float samples; index = sample frame.
struct StereoBuffer {
    explicit StereoBuffer(size_t frames) : left(frames), right(frames) {}
    size_t frames() const { return left.size(); }
    std::vector<float> left, right;
};

float NoteFrequency(int midiNote);

// One sounding note of an instrument: `start` and `length` in sample frames; the voice adds
// its own release after `length`. `pan` -1 (left) .. 1 (right).
struct NoteEvent {
    int64_t start;
    int64_t length;
    int note;
    float velocity;
    float pan;
};

// Drums have no pitch: their `note` seeds the noise, so that the same place in the music
// sounds the same on every pass.
// Each instrument adds its voice into `out` (dry) and, scaled by its send, into `send`
// (the reverb's input). Frames outside the buffers are dropped.
void PlayBell(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send);
void PlayPluck(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send);
void PlayPad(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send);
void PlayBass(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send);
void PlayKick(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send);
void PlaySnare(const NoteEvent& e, StereoBuffer& out, StereoBuffer& send);
void PlayHat(const NoteEvent& e, bool open, StereoBuffer& out, StereoBuffer& send);

// A plate-like stereo reverb (parallel damped combs into allpasses); adds `wet` times the
// reverberated `send` into `out`. Its tail falls below 16-bit resolution within a few seconds.
void AddReverb(const StereoBuffer& send, float wet, StereoBuffer& out);
