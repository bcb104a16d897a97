#include "ThemeMusic.hpp"

#include <algorithm>
#include <cmath>

#include "AudioFile.hpp"
#include "Synth.hpp"

namespace {

// 126 beats a minute makes a sixteenth exactly 5250 frames, so bars fall on whole frames.
constexpr int64_t Sixteenth = int64_t(SampleRate) * 15 / 126;
constexpr int64_t Bar = 16 * Sixteenth;
constexpr int IntroBars = 4;
constexpr int LoopBars = 12;

struct Chord {
    int root;      // bass note
    int tones[4];  // pad and arpeggio notes
};

// D minor with the major dominant for the maze's slightly uncanny pull back to the tonic.
const Chord LoopChords[LoopBars] = {
    {38, {62, 65, 69, 72}}, {38, {62, 65, 69, 76}}, {46, {58, 62, 65, 69}}, {36, {60, 64, 67, 71}},
    {38, {62, 65, 69, 72}}, {38, {62, 65, 69, 76}}, {43, {58, 62, 67, 70}}, {45, {61, 64, 69, 67}},
    {46, {58, 62, 65, 69}}, {36, {60, 64, 67, 72}}, {43, {58, 62, 67, 70}}, {45, {61, 64, 67, 69}},
};

struct MelodyNote {
    int bar, at, length, note;  // at and length in sixteenths
};

const MelodyNote Melody[] = {
    {0, 0, 4, 69},  {0, 4, 2, 74},  {0, 6, 2, 76},  {0, 8, 6, 77},  {0, 14, 2, 76},
    {1, 0, 4, 74},  {1, 4, 4, 69},  {1, 8, 2, 72},  {1, 10, 2, 74}, {1, 12, 4, 69},
    {2, 0, 4, 70},  {2, 4, 2, 74},  {2, 6, 2, 77},  {2, 8, 4, 79},  {2, 12, 2, 77}, {2, 14, 2, 74},
    {3, 0, 6, 76},  {3, 6, 2, 72},  {3, 8, 4, 67},  {3, 12, 2, 72}, {3, 14, 2, 76},
    {4, 0, 4, 77},  {4, 4, 2, 76},  {4, 6, 2, 74},  {4, 8, 6, 81},  {4, 14, 2, 79},
    {5, 0, 4, 77},  {5, 4, 4, 74},  {5, 8, 2, 76},  {5, 10, 2, 77}, {5, 12, 4, 76},
    {6, 0, 4, 74},  {6, 4, 2, 70},  {6, 6, 2, 74},  {6, 8, 4, 79},  {6, 12, 4, 82},
    {7, 0, 6, 81},  {7, 6, 2, 79},  {7, 8, 4, 76},  {7, 12, 4, 73},
    {8, 0, 2, 74},  {8, 2, 2, 77},  {8, 4, 4, 82},  {8, 8, 2, 81},  {8, 10, 2, 79}, {8, 12, 4, 77},
    {9, 0, 4, 79},  {9, 4, 2, 76},  {9, 6, 2, 72},  {9, 8, 2, 76},  {9, 10, 2, 79}, {9, 12, 4, 84},
    {10, 0, 4, 82}, {10, 4, 2, 81}, {10, 6, 2, 79}, {10, 8, 4, 74}, {10, 12, 2, 79}, {10, 14, 2, 82},
    {11, 0, 8, 81}, {11, 8, 2, 76}, {11, 10, 2, 79}, {11, 12, 2, 73}, {11, 14, 2, 76},
};

struct Layers {
    bool pad, arpeggio, hats, kick, snare, bass, melody;
};

class Arranger {
public:
    explicit Arranger(size_t frames) : dry(frames), send(frames) {}

    // One bar of the loop's material at bar position `slot` of the timeline.
    void PlayBar(int slot, int loopBar, const Layers& on) {
        const int64_t t0 = int64_t(slot) * Bar;
        const Chord& chord = LoopChords[loopBar];
        if (on.pad) {
            for (int i = 0; i < 3; ++i)
                PlayPad({t0, Bar, chord.tones[i], 1.0f, -0.5f + 0.5f * float(i)}, dry, send);
        }
        if (on.arpeggio) {
            static const int order[16] = {0, 1, 2, 3, 2, 1, 0, 2, 1, 3, 2, 1, 3, 2, 1, 0};
            for (int s = 0; s < 16; ++s) {
                const int note = chord.tones[order[s]] + (s >= 8 && s < 12 ? 12 : 0);
                PlayPluck({t0 + s * Sixteenth, Sixteenth, note, s % 4 == 0 ? 1.0f : 0.7f, 0.45f}, dry, send);
            }
        }
        if (on.hats) {
            for (int s = 0; s < 16; s += 2) {
                const bool open = s == 14;
                PlayHat({t0 + s * Sixteenth, 0, loopBar * 16 + s, s % 4 == 2 ? 1.0f : 0.6f, -0.3f}, open, dry, send);
            }
            PlayHat({t0 + 7 * Sixteenth, 0, loopBar * 16 + 7, 0.35f, -0.3f}, false, dry, send);
        }
        if (on.kick) {
            for (int s : {0, 8, 10}) PlayKick({t0 + s * Sixteenth, 0, 0, s == 10 ? 0.6f : 1.0f, 0.0f}, dry, send);
        }
        if (on.snare) {
            for (int s : {4, 12}) PlaySnare({t0 + s * Sixteenth, 0, loopBar * 16 + s, 1.0f, 0.1f}, dry, send);
        }
        if (on.bass) {
            static const int offsets[8] = {0, 0, 12, 0, 7, 0, 12, 10};
            for (int e = 0; e < 8; ++e) {
                const int note = chord.root + (loopBar == 11 && e == 7 ? 11 : offsets[e]);
                PlayBass({t0 + e * 2 * Sixteenth, Sixteenth * 3 / 2, note, e % 2 == 0 ? 1.0f : 0.75f, 0.0f}, dry,
                         send);
            }
        }
        if (on.melody) {
            for (const MelodyNote& n : Melody) {
                if (n.bar != loopBar) continue;
                PlayBell({t0 + n.at * Sixteenth, n.length * Sixteenth, n.note, 1.0f, -0.15f}, dry, send);
            }
        }
    }

    StereoBuffer dry, send;
};

}  // namespace

ThemeTrack ComposeTheme() {
    // Timeline: introduction, two passes of the loop, and room for the last tail.
    const int timelineBars = IntroBars + 2 * LoopBars + 2;
    Arranger arranger(size_t(timelineBars * Bar));
    const Layers full{true, true, true, true, true, true, true};
    // The introduction builds up and ends on the loop's own last bar, so the first entry into
    // the loop hears the same decay as every later jump back.
    const int introChords[IntroBars] = {0, 4, 10, 11};
    const Layers introLayers[IntroBars] = {{true, true, false, false, false, false, false},
                                           {true, true, true, false, false, false, false},
                                           {true, true, true, true, false, true, false},
                                           full};
    for (int b = 0; b < IntroBars; ++b) arranger.PlayBar(b, introChords[b], introLayers[b]);
    for (int pass = 0; pass < 2; ++pass) {
        for (int b = 0; b < LoopBars; ++b) arranger.PlayBar(IntroBars + pass * LoopBars + b, b, full);
    }
    AddReverb(arranger.send, 1.0f, arranger.dry);

    const int64_t introFrames = IntroBars * Bar, loopFrames = LoopBars * Bar;
    const int64_t secondPass = introFrames + loopFrames;
    std::vector<float> mix;
    mix.reserve(size_t(2 * (introFrames + loopFrames)));
    auto take = [&](int64_t from, int64_t count) {
        for (int64_t i = from; i < from + count; ++i) {
            mix.push_back(arranger.dry.left[size_t(i)]);
            mix.push_back(arranger.dry.right[size_t(i)]);
        }
    };
    take(0, introFrames);
    take(secondPass, loopFrames);

    // Gentle master: one gain for the whole file (the seam stays exact), peak at -1.5 dBFS.
    float peak = 0.0f;
    for (float v : mix) peak = std::max(peak, std::fabs(v));
    const float gain = 0.84f / peak;
    for (float& v : mix) v *= gain;
    return {ToPcm16(mix), introFrames, introFrames + loopFrames - 1};
}
