#include "audio/AudioClip.hpp"

#include <algorithm>
#include <cmath>

AudioClip::AudioClip(std::vector<float> samples, int channels, int64_t sourceFrames)
    : samples_(std::move(samples)), channels_(channels), sourceFrames_(sourceFrames) {}

AudioClip::AudioClip(std::unique_ptr<StreamDecoder> stream)
    : sourceFrames_(stream->frames()), stream_(std::move(stream)) {}

bool AudioClip::SetLoopPoints(int64_t start, int64_t end) {
    if (start < 0 || start > end || end >= sourceFrames_) return false;
    loop_.start = start;
    loop_.end = end;
    return true;
}

// After a rate change the loop points land on the nearest converted frame.
int64_t AudioClip::DeviceLoopStart() const {
    if (sourceFrames_ <= 0) return 0;
    const double ratio = double(frames()) / double(sourceFrames_);
    return std::clamp<int64_t>(std::llround(double(loop_.start) * ratio), 0,
                               std::max<int64_t>(frames() - 1, 0));
}

int64_t AudioClip::DeviceLoopEnd() const {
    if (loop_.end < 0 || sourceFrames_ <= 0) return frames() - 1;
    const double ratio = double(frames()) / double(sourceFrames_);
    return std::clamp<int64_t>(std::llround(double(loop_.end + 1) * ratio) - 1,
                               DeviceLoopStart(), frames() - 1);
}
