#pragma once

#include <gtest/gtest.h>
#include <sndfile.h>

#include <boost/filesystem/operations.hpp>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

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
    SF_INFO info{0, rate, 1, format, 0, 0};
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

// Frames 0..end of `source`, then start..end again, `passes` times.
inline std::vector<float> Looped(const std::vector<float>& source, long start, long end, size_t passes) {
    std::vector<float> out(source.begin(), source.begin() + end + 1);
    for (size_t i = 0; i < passes; ++i)
        out.insert(out.end(), source.begin() + start, source.begin() + end + 1);
    return out;
}

// The non-silent samples in order: a stream that ran dry shows gaps of silence, never lost or
// repeated frames, so this is what played.
inline std::vector<float> Heard(std::vector<float> mono) {
    std::erase(mono, 0.0f);
    return mono;
}

// Polls `done` every millisecond for a few seconds at most.
inline bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 5000; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
        if (done()) return true;
    }
    return false;
}

// Points SDL's audio at the `disk` driver, which writes the device's output to a file as fast
// as it can. Made before the sound system opens the device.
class DiskCapture {
public:
    DiskCapture() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file_.string().c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
    }
    ~DiskCapture() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        boost::filesystem::remove(file_);
    }
    // The left channel of the stereo output, once the device is closed; both carry the same.
    std::vector<float> Left() const {
        std::ifstream in(file_.string(), std::ios::binary);
        std::vector<float> left;
        bool differ = false;
        for (float frame[2]; in.read(reinterpret_cast<char*>(frame), sizeof frame);) {
            left.push_back(frame[0]);
            differ = differ || frame[0] != frame[1];
        }
        EXPECT_FALSE(differ) << "left and right differ";
        return left;
    }

private:
    boost::filesystem::path file_ = boost::filesystem::temp_directory_path() /
                                    boost::filesystem::unique_path("glimmer-capture-%%%%-%%%%.raw");
};

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
    AudioSystem& system() const { return *sound->system; }
    int rate() const { return sound->system->rate(); }
};

}  // namespace audiotest
