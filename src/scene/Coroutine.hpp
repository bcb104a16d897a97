#pragma once

#include <cstdint>

#include <boost/function.hpp>

enum class YieldKind : int32_t {
    Continue = 0,    // next step in the next update pass
    Stop = 1,        // the coroutine ends
    Restart = 2,     // step 0 again at once
    GoTo = 3,        // step `value` at once
    WaitFrames = 4,  // wait `value` update passes
    WaitSeconds = 5, // wait `seconds` of game time
};

struct YieldInstruction {
    YieldKind kind = YieldKind::Continue;
    int32_t value = 0;
    float seconds = 0.0f;
};

// Called with step -1, a body answers Continue with its id in `value` and runs no step.
// Each body keeps its id in a static `slot`; the first body asked gets 1, the next 2, ...
YieldInstruction AnswerCoroutineId(int32_t& slot);

// A step function resumed by the update pass when its waits have run out.
class Coroutine {
public:
    using Body = boost::function<YieldInstruction(int32_t)>;

    virtual ~Coroutine() = default;

    // Runs body steps until one yields (waits, stops, or continues next pass).
    void Step();

    Body body;
    bool running = false;
    bool paused = false;
    int32_t step = 0;           // index of the next step to run
    float waitSeconds = 0.0f;   // game seconds still to wait
    int32_t waitFrames = 0;     // update passes still to wait
};

// Owned by the Game; coroutines belong to their behaviours, not to it.
class CoroutineManager {
public:
    virtual ~CoroutineManager() = default;
};
