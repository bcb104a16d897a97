#pragma once

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>
#include <sndfile.h>

#include "audio/AudioSystem.hpp"
#include "audio/RandomManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/Services.hpp"
#include "support/TempContent.hpp"

namespace audiotest {

// Writes mono `samples` as a sound file (float WAV unless `format` says otherwise).
inline void WriteSound(const boost::filesystem::path& path, const std::vector<float>& samples, int rate,
                       int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT) {
    boost::filesystem::create_directories(path.parent_path());
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(path.string().c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
}

inline std::vector<float> Level(float level, size_t frames) { return std::vector<float>(frames, level); }

// Frame i holds (i + 1) / 1024: every frame tells its own index, and 16-bit files hold it exactly.
inline std::vector<float> Ramp(size_t frames) {
    std::vector<float> out(frames);
    for (size_t i = 0; i < frames; ++i) out[i] = float(i + 1) / 1024.0f;
    return out;
}

// A stretch of equal, non-silent output.
struct Run {
    float level;
    size_t frames;
};

inline std::vector<Run> Runs(const std::vector<float>& mono) {
    std::vector<Run> runs;
    for (size_t i = 0; i < mono.size(); ++i) {
        if (mono[i] == 0.0f) continue;
        if (!runs.empty() && mono[i - 1] != 0.0f && std::fabs(runs.back().level - mono[i]) < 1e-6f) {
            ++runs.back().frames;
        } else {
            runs.push_back({mono[i], 1});
        }
    }
    return runs;
}

inline void ExpectRuns(const std::vector<float>& mono, const std::vector<Run>& expected) {
    const std::vector<Run> runs = Runs(mono);
    ASSERT_EQ(runs.size(), expected.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_NEAR(runs[i].level, expected[i].level, 1e-6) << "run " << i;
        EXPECT_EQ(runs[i].frames, expected[i].frames) << "run " << i;
    }
}

// The non-silent frames in order: a streamed track whose callback outruns decoding shows gaps
// of silence, never lost or repeated frames, so the content is what it played.
inline std::vector<float> Heard(const std::vector<float>& mono) {
    std::vector<float> out;
    for (float s : mono) {
        if (s != 0.0f) out.push_back(s);
    }
    return out;
}

// Points SDL's audio at the `disk` driver, which writes the device's output to a file as
// fast as it can. Set before the sound system opens the device.
class DiskCapture {
public:
    DiskCapture() {
        file_ = boost::filesystem::temp_directory_path() /
                boost::filesystem::unique_path("glimmer-capture-%%%%-%%%%.raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file_.string().c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
    }
    ~DiskCapture() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        boost::system::error_code ec;
        boost::filesystem::remove(file_, ec);
    }

    // The left channel of the stereo float output, once the device is closed; checks that
    // both channels carry the same.
    std::vector<float> Left() const {
        std::ifstream in(file_.string(), std::ios::binary);
        float frame[2];
        std::vector<float> left;
        size_t mismatches = 0;
        while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
            left.push_back(frame[0]);
            if (frame[0] != frame[1]) ++mismatches;
        }
        EXPECT_EQ(mismatches, 0u) << "left and right differ";
        return left;
    }

private:
    boost::filesystem::path file_;
};

// Waits (a few seconds at most) until no channel plays.
inline void WaitUntilQuiet(const AudioSystem& system) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (system.PlayingCount() > 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(system.PlayingCount(), 0);
}

// A working folder with the random and sound managers published as the game does.
struct SoundWorld {
    TempContent content;
    RandomManager random{12345u};
    std::unique_ptr<SoundManager> sound;

    SoundWorld() {
        Services::random = &random;
        sound = std::make_unique<SoundManager>();
        Services::sound = sound.get();
    }
    ~SoundWorld() {
        sound.reset();
        Services::random = nullptr;
    }
    int rate() const { return sound->system->rate(); }
    boost::filesystem::path Bank(const std::string& name) const {
        return content.path() / "Content/Sound" / name;
    }
};

}  // namespace audiotest
