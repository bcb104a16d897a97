#include "audio/SoundFile.hpp"

std::unique_ptr<SoundFile> SoundFile::Open(const std::string& path, std::string* error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        if (error) *error = sf_strerror(nullptr);
        return nullptr;
    }
    if (info.channels <= 0 || info.samplerate <= 0) {
        sf_close(file);
        if (error) *error = "no channels or no sample rate";
        return nullptr;
    }
    // Beyond these the converter to the device's format gives up (or, at a few hertz, would
    // blow a short file up to gigabytes); no real sound lies outside them.
    if (info.channels > maxChannels || info.samplerate < minRate || info.samplerate > maxRate) {
        sf_close(file);
        if (error) *error = "a channel count or sample rate the game cannot play";
        return nullptr;
    }
    return std::unique_ptr<SoundFile>(new SoundFile(file, info));
}

int64_t SoundFile::Read(float* out, int64_t count) {
    const sf_count_t got = sf_readf_float(file_.get(), out, count);
    return got > 0 ? got : 0;
}

bool SoundFile::Seek(int64_t frame) { return sf_seek(file_.get(), frame, SEEK_SET) == frame; }
