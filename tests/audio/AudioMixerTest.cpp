#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/AudioClip.hpp"
#include "audio/AudioMixer.hpp"
#include "audio/FormatConverter.hpp"
#include "audio/StreamDecoder.hpp"
#include "audio/AudioTestSupport.hpp"

using namespace audiotest;

namespace {

// A memory clip of one channel from plain values.
AudioClip MonoClip(std::vector<float> samples) {
    const auto frames = int64_t(samples.size());
    return AudioClip(std::move(samples), 1, frames);
}

std::vector<float> Mix(std::vector<Voice>& voices, int64_t frames) {
    std::vector<float> out(size_t(frames), -9.0f);  // the mix must overwrite, not add to, this
    MixVoices(voices, out.data(), frames, 1);
    return out;
}

std::vector<float> Values(std::initializer_list<float> v) { return v; }

}  // namespace

TEST(AudioMixer, ChannelsSumWithTheirVolumes) {
    AudioClip level = MonoClip({0.5f, 0.5f, 0.5f, 0.5f});
    AudioClip ramp = MonoClip({0.125f, 0.25f});
    std::vector<Voice> voices(3);
    StartVoice(voices[0], level);
    voices[0].volume = 0.5f;
    StartVoice(voices[2], ramp);
    voices[2].volume = 2.0f;
    EXPECT_EQ(Mix(voices, 5), Values({0.5f, 0.75f, 0.25f, 0.25f, 0.0f}));
}

TEST(AudioMixer, APausedChannelAddsNothingAndResumesWhereItStopped) {
    AudioClip ramp = MonoClip(Ramp(8));
    std::vector<Voice> voices(1);
    StartVoice(voices[0], ramp);
    EXPECT_EQ(Mix(voices, 3), Values({1 / 1024.f, 2 / 1024.f, 3 / 1024.f}));
    voices[0].paused = true;
    EXPECT_EQ(Mix(voices, 3), Values({0, 0, 0}));
    voices[0].paused = false;
    EXPECT_EQ(Mix(voices, 3), Values({4 / 1024.f, 5 / 1024.f, 6 / 1024.f}));
}

TEST(AudioMixer, LoopCountsAndInclusiveLoopRegions) {
    AudioClip once = MonoClip(Ramp(4));
    once.SetLoopCount(0);
    std::vector<Voice> voices(1);
    StartVoice(voices[0], once);
    EXPECT_EQ(Mix(voices, 6), Values({1 / 1024.f, 2 / 1024.f, 3 / 1024.f, 4 / 1024.f, 0, 0}));
    EXPECT_EQ(voices[0].clip, nullptr) << "the channel is free again";

    // Twice more through frames 1..2, then on to the end.
    AudioClip looped = MonoClip({10, 11, 12, 13});
    looped.SetLoopCount(2);
    ASSERT_TRUE(looped.SetLoopPoints(1, 2));
    StartVoice(voices[0], looped);
    EXPECT_EQ(Mix(voices, 9), Values({10, 11, 12, 11, 12, 11, 12, 13, 0}));

    // Regions that do not fit are refused and leave the whole clip.
    EXPECT_FALSE(looped.SetLoopPoints(3, 2));
    EXPECT_FALSE(looped.SetLoopPoints(0, 4));
    EXPECT_FALSE(looped.SetLoopPoints(-1, 2));
    EXPECT_EQ(looped.loop().start, 1);
    EXPECT_EQ(looped.loop().end, 2);
}

namespace {

// Streams `file` to `rate` (stereo) through a small ring, decoding between mixing passes as
// the main loop would; returns the left channel of `frames` frames.
std::vector<float> StreamThrough(const boost::filesystem::path& file, int rate, const LoopSettings& loop,
                                 int64_t frames, int* underruns) {
    auto decoder = std::make_unique<StreamDecoder>(SoundFile::Open(file.string()), 2, rate, 700);
    AudioClip clip(std::move(decoder));
    clip.SetLoopCount(loop.count);
    EXPECT_TRUE(clip.SetLoopPoints(loop.start, loop.end));
    clip.stream()->Restart(clip.loop());
    std::vector<Voice> voices(1);
    StartVoice(voices[0], clip);
    std::vector<float> left;
    std::vector<float> block(2 * 256);
    *underruns = 0;
    while (int64_t(left.size()) < frames) {
        *underruns += MixVoices(voices, block.data(), 256, 2);
        for (size_t i = 0; i < block.size(); i += 2) left.push_back(block[i]);
        clip.stream()->Fill();
    }
    left.resize(size_t(frames));
    return left;
}

// What the file's frames 0..end followed by start..end again and again are.
std::vector<float> LoopedSource(const std::vector<float>& source, int64_t start, int64_t end, int passes) {
    std::vector<float> out(source.begin(), source.begin() + end + 1);
    for (int i = 0; i < passes; ++i) out.insert(out.end(), source.begin() + start, source.begin() + end + 1);
    return out;
}

}  // namespace

TEST(StreamedLoop, RepeatsStartToEndInclusiveSampleExact) {
    TempContent content;
    const boost::filesystem::path file = content.path() / "Theme.flac";
    WriteSound(file, Ramp(300), 48000, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    int underruns = 0;
    const std::vector<float> heard = StreamThrough(file, 48000, {-1, 100, 199}, 200 + 4 * 100, &underruns);
    EXPECT_EQ(heard, LoopedSource(Ramp(300), 100, 199, 4));
    EXPECT_EQ(underruns, 0);

    // Decoded too little ahead: the pass counts an underrun and the stream goes on; played
    // once, it frees its channel at the end.
    AudioClip clip(std::make_unique<StreamDecoder>(SoundFile::Open(file.string()), 2, 48000, 100));
    clip.stream()->Restart(clip.loop());
    std::vector<Voice> voices(1);
    StartVoice(voices[0], clip);
    std::vector<float> out(2 * 256);
    EXPECT_EQ(MixVoices(voices, out.data(), 256, 2), 1);
    EXPECT_EQ(out[2 * 99], 100 / 1024.f);
    EXPECT_EQ(out[2 * 100], 0.0f);
    EXPECT_EQ(voices[0].clip, &clip);
    for (int i = 0; i < 4; ++i) {
        clip.stream()->Fill();
        MixVoices(voices, out.data(), 100, 2);
    }
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(voices[0].clip, nullptr);
}

TEST(StreamedLoop, StaysSeamlessWhenTheDeviceRateDiffers) {
    TempContent content;
    const boost::filesystem::path file = content.path() / "Theme.wav";
    std::vector<float> tone(3000);
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5f * std::sin(float(i) * 0.05f);
    WriteSound(file, tone, 44100);

    // The same frames resampled in one go: a lost or doubled frame at a seam would shift
    // everything after it against this.
    const std::vector<float> source = LoopedSource(tone, 500, 1499, 8);
    FormatConverter reference(1, 44100, 1, 48000);
    reference.Put(source.data(), int64_t(source.size()));
    reference.Flush();
    std::vector<float> expected(source.size() * 2);
    expected.resize(size_t(reference.Get(expected.data(), int64_t(expected.size()))));
    // The intro and three passes, well before the reference's own end.
    const int64_t compared = (1500 + 3 * 1000) * 48000 / 44100;
    ASSERT_GT(int64_t(expected.size()), compared + 1000);

    int underruns = 0;
    const std::vector<float> heard = StreamThrough(file, 48000, {-1, 500, 1499}, compared, &underruns);
    double worst = 0.0;
    for (int64_t i = 0; i < compared; ++i) worst = std::max(worst, double(std::fabs(heard[size_t(i)] - expected[size_t(i)])));
    EXPECT_LT(worst, 1e-4);
    EXPECT_EQ(underruns, 0);
}
