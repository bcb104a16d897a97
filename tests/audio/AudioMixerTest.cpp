#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/AudioClip.hpp"
#include "audio/AudioMixer.hpp"
#include "audio/AudioTestSupport.hpp"
#include "audio/FormatConverter.hpp"
#include "audio/StreamDecoder.hpp"

using namespace audiotest;

namespace {

// A memory clip of one channel from plain values.
std::unique_ptr<AudioClip> MonoClip(std::vector<float> samples, int loopCount = 0) {
    const auto frames = int64_t(samples.size());
    auto clip = std::make_unique<AudioClip>(std::move(samples), 1, frames);
    clip->SetLoopCount(loopCount);
    return clip;
}

std::vector<float> Mix(std::vector<Voice>& voices, int64_t frames) {
    std::vector<float> out(size_t(frames), -9.0f);  // the mix must overwrite, not add to, this
    MixVoices(voices, out.data(), frames, 1);
    return out;
}

}  // namespace

TEST(AudioMixer, ChannelsSumWithTheirVolumesAndAPausedOneWaitsWhereItStopped) {
    const auto level = MonoClip({0.5f, 0.5f, 0.5f, 0.5f}), ramp = MonoClip({1, 2, 3, 4, 5});
    std::vector<Voice> voices(3);
    StartVoice(voices[0], *level);
    voices[0].volume = 0.5f;
    StartVoice(voices[2], *ramp);
    voices[2].volume = 2.0f;
    EXPECT_EQ(Mix(voices, 2), (std::vector<float>{2.25f, 4.25f}));
    voices[2].paused = true;
    EXPECT_EQ(Mix(voices, 1), (std::vector<float>{0.25f}));
    voices[2].paused = false;
    EXPECT_EQ(Mix(voices, 4), (std::vector<float>{6.25f, 8, 10, 0}));
    EXPECT_EQ(voices[0].clip, nullptr) << "a clip played to its end frees its channel";
}

TEST(AudioMixer, LoopsRepeatTheirInclusiveRegionOrTheWholeClip) {
    std::vector<Voice> voices(1);
    const auto twice = MonoClip({10, 11, 12, 13}, 2);
    ASSERT_TRUE(twice->SetLoopPoints(1, 2));
    StartVoice(voices[0], *twice);
    EXPECT_EQ(Mix(voices, 9), (std::vector<float>{10, 11, 12, 11, 12, 11, 12, 13, 0}));
    const auto whole = MonoClip({1, 2, 3}, 1), first = MonoClip({1, 2, 3}, 2);
    StartVoice(voices[0], *whole);
    EXPECT_EQ(Mix(voices, 7), (std::vector<float>{1, 2, 3, 1, 2, 3, 0}));
    ASSERT_TRUE(first->SetLoopPoints(0, 0));
    StartVoice(voices[0], *first);
    EXPECT_EQ(Mix(voices, 6), (std::vector<float>{1, 1, 1, 2, 3, 0}));
    EXPECT_FALSE(twice->SetLoopPoints(0, 4) || twice->SetLoopPoints(3, 2));  // regions that do not fit
}

namespace {

// Streams `file` to `rate` (stereo) through a small ring, decoding between mixing passes as
// the main loop would; returns the left channel of `frames` frames and counts the underruns.
std::vector<float> StreamThrough(const std::string& file, int rate, const LoopSettings& loop, int64_t frames,
                                 int* underruns) {
    AudioClip clip(std::make_unique<StreamDecoder>(SoundFile::Open(file), 2, rate, 1500));
    clip.SetLoopCount(loop.count);
    EXPECT_TRUE(clip.SetLoopPoints(loop.start, loop.end));
    clip.stream()->Restart(clip.loop());
    std::vector<Voice> voices(1);
    StartVoice(voices[0], clip);
    std::vector<float> left, block(2 * 700);
    *underruns = 0;
    while (int64_t(left.size()) < frames) {
        *underruns += MixVoices(voices, block.data(), 700, 2);  // more than the mixer's own blocks
        for (size_t i = 0; i < block.size(); i += 2) left.push_back(block[i]);
        clip.stream()->Fill();
    }
    left.resize(size_t(frames));
    return left;
}

}  // namespace

TEST(StreamedLoop, StaysSeamlessWhenTheDeviceRateDiffers) {
    TempContent content;
    std::vector<float> tone(3000);
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5f * std::sin(float(i) * 0.05f);
    WriteSound(content.path() / "Theme.wav", tone, 44100);
    // The same frames resampled in one go: a lost or doubled frame at a seam would shift
    // everything after it against this.
    const std::vector<float> source = Looped(tone, 500, 1499, 8);
    FormatConverter reference(1, 44100, 1, 48000);
    reference.Put(source.data(), int64_t(source.size()));
    reference.Flush();
    std::vector<float> expected(source.size() * 2);
    expected.resize(size_t(reference.Get(expected.data(), int64_t(expected.size()))));
    const int64_t compared = (1500 + 3 * 1000) * 48000 / 44100;  // the intro and three passes
    ASSERT_GT(int64_t(expected.size()), compared + 1000);

    int underruns = 0;
    const std::vector<float> heard = StreamThrough("Theme.wav", 48000, {-1, 500, 1499}, compared, &underruns);
    double worst = 0.0;
    for (int64_t i = 0; i < compared; ++i)
        worst = std::max(worst, double(std::fabs(heard[size_t(i)] - expected[size_t(i)])));
    EXPECT_LT(worst, 1e-4);
    EXPECT_EQ(underruns, 0);
}
