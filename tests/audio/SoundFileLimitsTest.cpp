#include <fstream>
#include <string>

#include "audio/AudioTestSupport.hpp"
#include "audio/SoundFile.hpp"

using namespace audiotest;

namespace {

// A mono float WAV whose header then claims `rate`; the data stays as it is.
std::string WavClaimingRate(const TempContent& content, const std::string& name, uint32_t rate) {
    WriteSound(content.path() / name, Level(0.1f, 400), 8000);
    std::string bytes = content.Read(name);
    for (int i = 0; i < 4; ++i) bytes[size_t(24 + i)] = char((rate >> (8 * i)) & 0xff);  // fmt's rate
    content.Write(name, bytes);
    return (content.path() / name).string();
}

// Rates and channel counts the converter refuses (or that would blow a short file up to
// gigabytes) give no clip instead of an exception that names no file.
TEST(SoundFileLimits, UnplayableRatesAndChannelCountsGiveNoClip) {
    TempContent content;
    AudioSystem system(4);
    const std::string wild = WavClaimingRate(content, "wild.wav", 0x44acac44u);  // found by fuzzing
    const std::string slow = WavClaimingRate(content, "slow.wav", SoundFile::minRate - 1);
    const std::string fast = WavClaimingRate(content, "fast.wav", SoundFile::maxRate + 1);
    const std::string low = WavClaimingRate(content, "low.wav", SoundFile::minRate);

    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = SoundFile::maxChannels + 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    const std::string wide = (content.path() / "wide.wav").string();
    SNDFILE* file = sf_open(wide.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> frames(size_t(info.channels) * 100, 0.1f);
    sf_writef_float(file, frames.data(), 100);
    sf_close(file);

    for (const std::string& path : {wild, slow, fast, wide}) {
        SCOPED_TRACE(path);
        std::string why;
        EXPECT_EQ(SoundFile::Open(path, &why), nullptr);
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(system.CreateClip(path, ClipMode::Memory), nullptr);
        EXPECT_EQ(system.CreateClip(path, ClipMode::Stream), nullptr);
    }
    AudioClip* edge = system.CreateClip(low, ClipMode::Memory);
    ASSERT_NE(edge, nullptr);  // the lowest rate allowed still plays, resampled up
    EXPECT_NEAR(double(edge->frames()), 400.0 * system.rate() / SoundFile::minRate, 64.0);
}

}  // namespace
