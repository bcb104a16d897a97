#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

// Interleaved float frames passed from one writer thread (the main loop's decoding) to one
// reader thread (the audio callback) without a lock.
class SampleRing {
public:
    SampleRing(int64_t capacityFrames, int channels);

    int64_t capacity() const { return capacity_; }
    int64_t FreeFrames() const;
    int64_t AvailableFrames() const;

    // Writer side: copies up to `count` frames in; returns how many fitted.
    int64_t Write(const float* frames, int64_t count);
    // Reader side: copies up to `count` frames out; returns how many there were.
    int64_t Read(float* out, int64_t count);
    // Only while no reader runs.
    void Clear();

private:
    int64_t capacity_;
    int channels_;
    std::vector<float> samples_;
    // Frame counters that only grow; their difference is the fill.
    std::atomic<int64_t> written_{0};
    std::atomic<int64_t> read_{0};
};
