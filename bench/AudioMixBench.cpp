#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "audio/AudioClip.hpp"
#include "audio/AudioMixer.hpp"

namespace {

constexpr int rate = 48000;
constexpr int channels = 2;
constexpr int64_t blockFrames = 512;  // one device callback

// One second of mixing with 100 channels busy, each on a clip of its own that loops without
// end. The counter is the CPU time per second of audio: the share of one core that mixing takes in real time.
void MixOneSecondWith100Channels(benchmark::State& state) {
    std::mt19937 noise(7);
    std::uniform_real_distribution<float> sample(-0.01f, 0.01f);
    std::vector<std::unique_ptr<AudioClip>> clips;
    std::vector<Voice> voices(100);
    for (size_t i = 0; i < voices.size(); ++i) {
        const int64_t frames = rate / 2 + int64_t(i) * 97;  // lengths differ, so seams fall apart
        std::vector<float> samples(size_t(frames * channels));
        for (float& s : samples) s = sample(noise);
        clips.push_back(std::make_unique<AudioClip>(std::move(samples), channels, frames));
        clips.back()->SetLoopCount(-1);
        StartVoice(voices[i], *clips.back());
        voices[i].volume = 0.5f;
    }
    std::vector<float> out(size_t(blockFrames * channels));
    for (auto _ : state) {
        for (int64_t done = 0; done < rate; done += blockFrames) {
            MixVoices(voices, out.data(), blockFrames, channels);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.counters["cpu_per_audio_s"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(MixOneSecondWith100Channels)->Unit(benchmark::kMillisecond);

}  // namespace
