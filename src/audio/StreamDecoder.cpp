#include "audio/StreamDecoder.hpp"

#include <algorithm>

StreamDecoder::StreamDecoder(std::unique_ptr<SoundFile> file, int toChannels, int toRate,
                             int64_t ringFrames)
    : file_(std::move(file)),
      converter_(file_->channels(), file_->rate(), toChannels, toRate),
      ring_(ringFrames, toChannels),
      decoded_(size_t(FormatConverter::maxPutFrames * file_->channels())),
      converted_(size_t(FormatConverter::maxPutFrames * toChannels)) {}

void StreamDecoder::Restart(const LoopSettings& loop) {
    loop_ = loop;
    lastFrame_ = file_->frames() - 1;
    if (loop_.end < 0 || loop_.end > lastFrame_) loop_.end = lastFrame_;
    loop_.start = std::clamp<int64_t>(loop_.start, 0, std::max<int64_t>(loop_.end, 0));
    loopsLeft_ = loop_.count;
    position_ = 0;
    pending_ = 0;
    flushed_ = false;
    done_.store(false, std::memory_order_release);
    file_->Seek(0);
    converter_.Clear();
    ring_.Clear();
    Fill();
}

void StreamDecoder::Fill() {
    const int64_t chunk = FormatConverter::maxPutFrames;
    while (!done_.load(std::memory_order_relaxed) && ring_.FreeFrames() > 0) {
        const int64_t n = converter_.Get(converted_.data(), std::min(chunk, ring_.FreeFrames()));
        if (n > 0) {
            ring_.Write(converted_.data(), n);
        } else if (flushed_) {
            done_.store(true, std::memory_order_release);
        } else {
            DecodePiece();
        }
    }
}

void StreamDecoder::DecodePiece() {
    if (position_ > SegmentEnd()) {
        // A loop only ever jumps backwards: backward seeks are exact for every format we decode.
        if (loopsLeft_ != 0 && loop_.start <= lastFrame_ && file_->Seek(loop_.start)) {
            position_ = loop_.start;
            if (loopsLeft_ > 0) --loopsLeft_;
        } else {
            converter_.Put(decoded_.data(), pending_);
            pending_ = 0;
            converter_.Flush();
            flushed_ = true;
        }
        return;
    }
    const int64_t want = std::min(FormatConverter::maxPutFrames - pending_, SegmentEnd() - position_ + 1);
    const int64_t got = file_->Read(decoded_.data() + pending_ * file_->channels(), want);
    if (got == 0) {
        // The file ends before its header said: what was decoded is all there is.
        lastFrame_ = position_ - 1;
        loop_.end = std::min(loop_.end, lastFrame_);
        if (loop_.start > loop_.end) loopsLeft_ = 0;
        return;
    }
    position_ += got;
    pending_ += got;
    // Whole pieces only, across loop seams too: the resampler's timing depends on where puts
    // begin, so a seam must not start a new one.
    if (pending_ == FormatConverter::maxPutFrames) {
        converter_.Put(decoded_.data(), pending_);
        pending_ = 0;
    }
}
