#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <sndfile.h>

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

// An audio file open for decoding, read as interleaved float frames in [-1, 1].
class SoundFile {
public:
    static constexpr int maxChannels = 8;
    static constexpr int minRate = 1000;
    static constexpr int maxRate = 768000;

    // Null when the decoder does not recognise the file (a text file, a picture...) or its
    // channel count or rate is outside the limits above; `error`,
    // if given, receives the decoder's reason.
    static std::unique_ptr<SoundFile> Open(const std::string& path, std::string* error = nullptr);

    int channels() const { return info_.channels; }
    int rate() const { return info_.samplerate; }
    // As the header says, so never a size to allocate: some formats decode fewer (MP3 counts
    // its encoder delay), a damaged header can claim 2^36, and a file of unknown length (a
    // FLAC written to a pipe) says INT64_MAX.
    int64_t frames() const { return info_.frames; }

    // Reads up to `count` frames into `out`; returns how many came (0 at the end).
    int64_t Read(float* out, int64_t count);
    // The decoder met damage it could not read past (the reads then give 0).
    bool Failed() const { return sf_error(file_.get()) != SF_ERR_NO_ERROR; }
    // Moves to `frame`; exact for WAV and FLAC, so loops only ever seek backwards.
    bool Seek(int64_t frame);

private:
    SoundFile(SNDFILE* file, const SF_INFO& info) : file_(file), info_(info) {}

    std::unique_ptr<SNDFILE, SndfileCloser> file_;
    SF_INFO info_;
};
