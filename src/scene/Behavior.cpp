#include "scene/Behavior.hpp"

void Behavior::StartCoroutine(Coroutine& c) {
    if (c.running) return;
    c.step = 0;
    c.waitSeconds = 0.0f;
    c.waitFrames = 0;
    c.running = true;
    c.paused = false;
    c.Step();
}
