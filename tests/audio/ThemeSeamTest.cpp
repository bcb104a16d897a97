// The shipped theme through the real device, captured by SDL's disk driver past its first loop
// seam and compared with the decoded file.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/AudioSystem.hpp"
#include "audio/MusicManager.hpp"
#include "audio/RandomManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/Services.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

constexpr double fileRate = 44100.0;

// Interleaved stereo frames.
struct Stereo {
    std::vector<float> samples;
    int64_t frames() const { return int64_t(samples.size() / 2); }
    float at(int64_t frame, int channel) const { return samples[size_t(2 * frame + channel)]; }
};

Stereo Decode(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) throw std::runtime_error("cannot decode " + path);
    Stereo out;
    out.samples.resize(size_t(info.frames * info.channels));
    sf_readf_float(file, out.samples.data(), info.frames);
    sf_close(file);
    if (info.channels != 2 || info.samplerate != int(fileRate)) throw std::runtime_error("not 44.1 kHz stereo");
    return out;
}

// What the device played, without the silence the disk driver writes while the stream has no
// frames ready: a frame silent on both channels is such a gap (the theme never is).
Stereo ReadCapture(const fs::path& file) {
    std::ifstream in(file.string(), std::ios::binary);
    Stereo out;
    float frame[2];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
        if (frame[0] == 0.0f && frame[1] == 0.0f) continue;
        out.samples.push_back(frame[0]);
        out.samples.push_back(frame[1]);
    }
    return out;
}

// A source sequence read at fractional positions with a windowed sinc, as a band-limited
// resampler would.
template <typename Source>
float Interpolate(const Source& source, double position, int channel) {
    constexpr int halfWidth = 24;
    const int64_t base = int64_t(std::floor(position));
    double sum = 0.0;
    for (int64_t j = base - halfWidth + 1; j <= base + halfWidth; ++j) {
        const double x = position - double(j);
        const double sinc = std::abs(x) < 1e-9 ? 1.0 : std::sin(M_PI * x) / (M_PI * x);
        const double window = 0.5 + 0.5 * std::cos(M_PI * x / halfWidth);
        sum += source.sample(j, channel) * sinc * window;
    }
    return float(sum);
}

// The file's frames; out of range reads as silence.
struct FileSource {
    const Stereo& file;
    float sample(int64_t j, int c) const { return j < 0 || j >= file.frames() ? 0.0f : file.at(j, c); }
};

// What an endless loop should sound like: the file up to the loop end, then the loop region.
struct LoopedSource {
    const Stereo& file;
    int64_t start, end;
    float sample(int64_t j, int c) const {
        if (j > end) j = start + (j - start) % (end - start + 1);
        return j < 0 ? 0.0f : file.at(j, c);
    }
};

// How far `count` captured frames from `first` stray from the source read from `position` on,
// stepping 1 / ratio source frames per device frame: the root mean square of the difference
// over that of the source.
template <typename Source>
double Mismatch(const Stereo& capture, int64_t first, int64_t count, const Source& source, double position,
                double ratio) {
    double error = 0.0, signal = 0.0;
    for (int64_t k = 0; k < count; ++k) {
        for (int c = 0; c < 2; ++c) {
            const double expected = Interpolate(source, position + double(k) / ratio, c);
            const double e = double(capture.at(first + k, c)) - expected;
            error += e * e;
            signal += expected * expected;
        }
    }
    return signal > 0.0 ? std::sqrt(error / signal) : 1.0;
}

// The position in the file whose frames the captured window from `first` matches best, searched
// within `range` source frames around `guess`: whole frames by linear interpolation first, then
// to 1/64 frame with the sinc.
double Locate(const Stereo& capture, int64_t first, const Stereo& file, double guess, int range, double ratio) {
    constexpr int64_t window = 512;
    auto linearError = [&](double p) {
        double sum = 0.0;
        for (int64_t k = 0; k < window; k += 2) {
            const double q = p + double(k) / ratio;
            const auto j = int64_t(std::floor(q));
            if (j < 0 || j + 1 >= file.frames()) return 1e30;
            const double f = q - double(j);
            for (int c = 0; c < 2; ++c) {
                const double e = file.at(j, c) * (1.0 - f) + file.at(j + 1, c) * f - capture.at(first + k, c);
                sum += e * e;
            }
        }
        return sum;
    };
    double best = guess, bestError = 1e30;
    for (int d = -range; d <= range; ++d) {
        const double e = linearError(guess + d);
        if (e < bestError) bestError = e, best = guess + d;
    }
    const FileSource source{file};
    auto sincError = [&](double p) {
        double sum = 0.0;
        for (int64_t k = 0; k < window; k += 4) {
            for (int c = 0; c < 2; ++c) {
                const double e = Interpolate(source, p + double(k) / ratio, c) - capture.at(first + k, c);
                sum += e * e;
            }
        }
        return sum;
    };
    const double coarse = best;
    bestError = 1e30;
    for (int step = -64; step <= 64; ++step) {
        const double p = coarse + step / 64.0;
        const double e = sincError(p);
        if (e < bestError) bestError = e, best = p;
    }
    return best;
}

double LargestStep(const Stereo& audio, int64_t from, int64_t to) {
    double largest = 0.0;
    for (int64_t i = std::max<int64_t>(from, 0); i + 1 <= to && i + 1 < audio.frames(); ++i) {
        for (int c = 0; c < 2; ++c) largest = std::max(largest, double(std::abs(audio.at(i + 1, c) - audio.at(i, c))));
    }
    return largest;
}

}  // namespace

TEST(ThemeSeam, TheShippedThemeLoopsBackWithoutAJumpOrALostFrame) {
    const fs::path captureFile = fs::temp_directory_path() / fs::unique_path("glimmer-theme-%%%%-%%%%.raw");
    struct Remove {
        fs::path file;
        ~Remove() {
            boost::system::error_code ec;
            fs::remove(file, ec);
        }
    } remove{captureFile};
    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    ScopedEnv output("SDL_DISKAUDIOFILE", captureFile.string());
    ScopedEnv delay("SDL_DISKAUDIODELAY", "0");

    boost::property_tree::ptree loop;
    boost::property_tree::read_json(std::string(GAME_SOURCE_DIR) + "/Content/Music/TorvelTheme.json", loop);
    const int64_t loopStart = loop.get<int64_t>("LoopStartSample"), loopEnd = loop.get<int64_t>("LoopEndSample");
    const Stereo file = Decode(std::string(GAME_SOURCE_DIR) + "/Content/Music/TorvelTheme.flac");
    ASSERT_LT(loopStart, loopEnd);
    ASSERT_LT(loopEnd, file.frames());

    double ratio = 0.0;
    int64_t needed = 0;
    {
        // The registry is left empty however the block ends.
        struct Unpublish {
            ~Unpublish() { Services::random = nullptr; }
        } unpublish;
        TempContent content;
        content.CopyFromSource("Content/Music", "Content/Music");
        RandomManager random(7u);
        Services::random = &random;
        auto sound = std::make_unique<SoundManager>();
        Services::sound = sound.get();
        ASSERT_FALSE(sound->system->silent()) << "the disk driver did not open";
        ratio = sound->system->rate() / fileRate;
        // Through the seam and a quarter of a second beyond.
        needed = int64_t(std::ceil(double(loopEnd + 1 + 11025) * ratio));
        {
            MusicManager music;
            Services::music = &music;
            MusicManager::Play("TorvelTheme");
            ASSERT_NE(music.currentSound, nullptr);
            // The disk driver plays as fast as it can; the stream is refilled with the callback held
            // off, and the callback then runs briefly, so it rarely finds the stream empty.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            uintmax_t checkedAt = 0;
            for (;;) {
                {
                    AudioSystem::Hold hold(*sound->system);
                    sound->Update();
                }
                std::this_thread::sleep_for(std::chrono::microseconds(100));
                boost::system::error_code ec;
                const uintmax_t bytes = fs::file_size(captureFile, ec);
                if (!ec && bytes >= uintmax_t(needed) * 8 && bytes > checkedAt + (1u << 20)) {
                    checkedAt = bytes;
                    if (ReadCapture(captureFile).frames() > needed + 4096) break;
                }
                ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the capture never passed the seam";
                ASSERT_LT(bytes, uintmax_t(1) << 30) << "the capture is mostly silence";
            }
        }
        sound.reset();  // closes the device: the capture is complete
    }
    const Stereo capture = ReadCapture(captureFile);
    ASSERT_GT(capture.frames(), needed);

    // Where the seam lies in the capture, found twice by matching the file: from the loop's end
    // just before it, and from the loop's start just after it. The converter's output runs a
    // little off the nominal rate ratio, so the ratio in effect is measured first, over the
    // first pass.
    const auto expectedSeam = int64_t(double(loopEnd + 1) * ratio);
    const int64_t early = 2000, before = expectedSeam - 4000, after = expectedSeam + 4000;
    const int range = 3000;
    const double earlyAt = Locate(capture, early, file, double(early) / ratio, range, ratio);
    double beforeAt = Locate(capture, before, file, double(before) / ratio, range, ratio);
    const double nominal = ratio;
    ratio = double(before - early) / (beforeAt - earlyAt);
    EXPECT_NEAR(ratio, nominal, nominal * 1e-3) << "the theme plays at the wrong speed";
    beforeAt = Locate(capture, before, file, beforeAt, 2, ratio);
    const double seamFromEnd = double(before) + (double(loopEnd + 1) - beforeAt) * ratio;
    const double afterAt =
        Locate(capture, after, file, double(loopStart) + (double(after) - seamFromEnd) / ratio, range, ratio);
    const double seamFromStart = double(after) - (afterAt - double(loopStart)) * ratio;
    // A frame lost or repeated at the seam would move one of them by a whole source frame.
    EXPECT_NEAR(seamFromEnd, seamFromStart, 0.2 * ratio)
        << "the loop end at " << seamFromEnd << ", the loop start at " << seamFromStart;

    // Across the seam the capture is the file up to the loop end followed by the loop start.
    const LoopedSource looped{file, loopStart, loopEnd};
    const auto around = int64_t(seamFromEnd) - 3000;
    const double mismatch = Mismatch(capture, around, 6000, looped, beforeAt + double(around - before) / ratio, ratio);
    EXPECT_LT(mismatch, 0.05) << "frames around the seam differ from the loop's end and start";
    // A check of the check: a loop that lost or repeated one frame at the seam would not match.
    for (int64_t shift : {int64_t(-1), int64_t(1)}) {
        const LoopedSource off{file, loopStart + shift, loopEnd};
        const double wrong = Mismatch(capture, int64_t(seamFromEnd) + 64, 2000, off,
                                      beforeAt + double(int64_t(seamFromEnd) + 64 - before) / ratio, ratio);
        EXPECT_GT(wrong, 3 * mismatch) << "shifted by " << shift;
    }

    // No click: the steps over the seam are no larger than the largest step within the loop.
    const int64_t seam = std::llround(seamFromEnd);
    const auto loopFirst = int64_t(std::ceil(seamFromEnd - double(loopEnd + 1 - loopStart) * ratio));
    const double inside = LargestStep(capture, loopFirst, seam - 8);
    EXPECT_LE(LargestStep(capture, seam - 8, seam + 8), inside);
    EXPECT_GT(inside, 0.0);
}
