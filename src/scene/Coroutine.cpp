#include "scene/Coroutine.hpp"

#include <cstdio>

namespace {
int32_t lastCoroutineId = 0;
}

YieldInstruction AnswerCoroutineId(int32_t& slot) {
    if (slot == 0) slot = ++lastCoroutineId;
    return {YieldKind::Continue, slot, 0.0f};
}

void Coroutine::Step() {
    YieldInstruction ins = body(step);
    ++step;
    for (;;) {
        switch (ins.kind) {
        case YieldKind::WaitSeconds:
            waitSeconds += ins.seconds;
            return;
        case YieldKind::WaitFrames:
            waitFrames += ins.value;
            return;
        case YieldKind::Stop:
            running = false;
            paused = false;
            return;
        case YieldKind::Restart:
            if (step == 1) {
                // Step 0 asking for step 0 again would never yield: refuse and stop.
                std::fprintf(stderr,
                             "programming error: a coroutine answered Restart from step 0; "
                             "it has been stopped\n");
                running = false;
                paused = false;
                return;
            }
            step = 0;
            break;
        case YieldKind::GoTo:
            step = ins.value;
            break;
        default:
            return;
        }
        ins = body(step);
        ++step;
    }
}
