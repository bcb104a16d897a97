#include "AudioFile.hpp"

#include <sndfile.h>

#include <cmath>
#include <memory>
#include <stdexcept>

#include "Synth.hpp"

namespace {

struct FileDeleter {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

}  // namespace

void WriteAudio(const std::string& path, bool flac, int channels, const std::vector<int16_t>& samples) {
    SF_INFO info{};
    info.samplerate = SampleRate;
    info.channels = channels;
    info.format = (flac ? SF_FORMAT_FLAC : SF_FORMAT_WAV) | SF_FORMAT_PCM_16;
    std::unique_ptr<SNDFILE, FileDeleter> file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file) throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    const sf_count_t frames = sf_count_t(samples.size()) / channels;
    if (sf_writef_short(file.get(), samples.data(), frames) != frames)
        throw std::runtime_error(path + ": " + sf_strerror(file.get()));
}

std::vector<int16_t> ToPcm16(const std::vector<float>& samples) {
    std::vector<int16_t> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        const long v = std::lround(samples[i] * 32767.0f);
        if (v > 32767 || v < -32767) throw std::runtime_error("the mix clips");
        pcm[i] = int16_t(v);
    }
    return pcm;
}
