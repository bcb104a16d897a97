#include "support/FakePlatform.hpp"

bool FakePlatform::PumpMessages() {
    if (frames >= quitAfterFrames) return false;
    ++frames;
    if (onFrame) onFrame(frames);
    return true;
}

void FakePlatform::RenderFrame() {
    ++renders;
    if (onRender) onRender();
}

void FakePlatform::SleepTicks(int64_t ticks) {
    sleeps.push_back(ticks);
    now += ticks;
}
