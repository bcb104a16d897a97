#include "support/FakePlatform.hpp"

#include "core/Game.hpp"
#include "core/Services.hpp"

bool FakePlatform::PumpMessages() {
    if (frames >= quitAfterFrames) return false;
    if (closeRequested) {
        closeRequested = false;
        if (Services::game->ConfirmClose()) {
            closedByUser = true;
            return false;
        }
    }
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

void FakePlatform::SetWindowTitle(const std::string& newTitle) {
    title = newTitle;
    ++titlesSet;
}

CloseChoice FakePlatform::AskBeforeClosing(const std::string& question) {
    questions.push_back(question);
    return closeAnswer;
}
