#include "audio/SampleRing.hpp"

#include <algorithm>
#include <cstring>

SampleRing::SampleRing(int64_t capacityFrames, int channels)
    : capacity_(capacityFrames), channels_(channels), samples_(size_t(capacityFrames * channels)) {}

int64_t SampleRing::FreeFrames() const { return capacity_ - AvailableFrames(); }

int64_t SampleRing::AvailableFrames() const {
    return written_.load(std::memory_order_acquire) - read_.load(std::memory_order_acquire);
}

int64_t SampleRing::Write(const float* frames, int64_t count) {
    const int64_t w = written_.load(std::memory_order_relaxed);
    const int64_t n = std::min(count, capacity_ - (w - read_.load(std::memory_order_acquire)));
    for (int64_t done = 0; done < n;) {
        const int64_t at = (w + done) % capacity_;
        const int64_t piece = std::min(n - done, capacity_ - at);
        std::memcpy(&samples_[size_t(at * channels_)], frames + done * channels_,
                    size_t(piece * channels_) * sizeof(float));
        done += piece;
    }
    written_.store(w + n, std::memory_order_release);
    return n;
}

int64_t SampleRing::Read(float* out, int64_t count) {
    const int64_t r = read_.load(std::memory_order_relaxed);
    const int64_t n = std::min(count, written_.load(std::memory_order_acquire) - r);
    for (int64_t done = 0; done < n;) {
        const int64_t at = (r + done) % capacity_;
        const int64_t piece = std::min(n - done, capacity_ - at);
        std::memcpy(out + done * channels_, &samples_[size_t(at * channels_)],
                    size_t(piece * channels_) * sizeof(float));
        done += piece;
    }
    read_.store(r + n, std::memory_order_release);
    return n;
}

void SampleRing::Clear() {
    written_.store(0, std::memory_order_relaxed);
    read_.store(0, std::memory_order_relaxed);
}
