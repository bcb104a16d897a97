#include "support/FakePlatform.hpp"

#include "core/GameHost.hpp"
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
