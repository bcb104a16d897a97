#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/LoopSettings.hpp"
#include "audio/StreamDecoder.hpp"

// How a clip is made from its file.
enum class ClipMode {
    Memory,  // decoded whole when created: playing touches no file (effects)
    Stream,  // decoded from the file while it plays (music)
};

// A sound made from a file, ready to play on channels of the audio system.
class AudioClip {
public:
    // Held in memory: `samples` interleaved in the device's format, made from a file of
    // `sourceFrames` frames.
    AudioClip(std::vector<float> samples, int channels, int64_t sourceFrames);
    explicit AudioClip(std::unique_ptr<StreamDecoder> stream);
    virtual ~AudioClip() = default;

    bool streamed() const { return stream_ != nullptr; }
    StreamDecoder* stream() const { return stream_.get(); }
    // Length in the file's frames, the unit of the loop points: as decoded for a memory clip,
    // as the header says for a streamed one (INT64_MAX when the file does not know).
    int64_t sourceFrames() const { return sourceFrames_; }

    // Repeats after the first pass: 0 plays once, -1 without end. Applies to the next play.
    void SetLoopCount(int count) { loop_.count = count; }
    // The region that repeats, in the file's frames, `end` inclusive. False, and nothing
    // changed, when the region does not fit inside the file.
    bool SetLoopPoints(int64_t start, int64_t end);
    const LoopSettings& loop() const { return loop_; }

    // Memory clips: the frames in the device's format, and the loop region counted in them.
    const std::vector<float>& samples() const { return samples_; }
    int channels() const { return channels_; }
    int64_t frames() const { return channels_ > 0 ? int64_t(samples_.size()) / channels_ : 0; }
    int64_t DeviceLoopStart() const;
    int64_t DeviceLoopEnd() const;

private:
    std::vector<float> samples_;
    int channels_ = 0;
    int64_t sourceFrames_ = 0;
    std::unique_ptr<StreamDecoder> stream_;
    LoopSettings loop_;
};
