#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/FormatConverter.hpp"
#include "audio/LoopSettings.hpp"
#include "audio/SampleRing.hpp"
#include "audio/SoundFile.hpp"

// Decodes a file a little ahead of playback into a ring of device-format frames. The writer
// (Restart, Fill) is the main loop; the reader (Read, Drained) is the audio callback.
class StreamDecoder {
public:
    StreamDecoder(std::unique_ptr<SoundFile> file, int toChannels, int toRate, int64_t ringFrames);

    int64_t frames() const { return file_->frames(); }

    // Back to the first frame with `loop`, the ring emptied and filled again. Only while no
    // reader runs.
    void Restart(const LoopSettings& loop);
    // Decodes until the ring is full or the last pass has ended.
    void Fill();

    // Reader side.
    int64_t Read(float* out, int64_t count) { return ring_.Read(out, count); }
    // The last pass is decoded and every frame of it read: the stream has ended.
    bool Drained() const { return done_.load(std::memory_order_acquire) && ring_.AvailableFrames() == 0; }

private:
    // Decodes towards the next whole piece for the converter, seeking back at a loop end.
    void DecodePiece();
    int64_t SegmentEnd() const { return loopsLeft_ != 0 ? loop_.end : lastFrame_; }

    std::unique_ptr<SoundFile> file_;
    FormatConverter converter_;
    SampleRing ring_;
    std::vector<float> decoded_;
    std::vector<float> converted_;
    LoopSettings loop_;
    int loopsLeft_ = 0;
    int64_t position_ = 0;   // next frame of the file to decode
    int64_t pending_ = 0;    // frames decoded but not yet put into the converter
    int64_t lastFrame_ = -1; // lowered if the file decodes fewer frames than it claims
    bool flushed_ = false;
    std::atomic<bool> done_{false};
};
