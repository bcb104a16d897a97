#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/Platform.hpp"

// A platform with a clock of its own: sleeping advances it exactly, and a per-frame script
// (run inside PumpMessages, where the real platform delivers input) can inject keys, make a
// frame slow by moving the clock, or ask to quit. It can also stand for a user who closes the
// window.
class FakePlatform : public Platform {
public:
    static constexpr int64_t frequency = 600000;  // 10000 ticks per 1/60 s step
    static constexpr int64_t ticksPerStep = frequency / 60;

    void CreateWindowAndDevice() override {}
    bool PumpMessages() override;
    void RenderFrame(const FrameDraws&) override { ++presents; }
    bool WindowShown() override { return shown; }
    bool TakeRedrawRequest() override { return std::exchange(redrawRequested, false); }
    bool TakeFocusGained() override { return std::exchange(focusGained, false); }
    int64_t NowTicks() override { return now; }
    int64_t CounterFrequency() override { return frequency; }
    void SleepTicks(int64_t ticks) override { sleeps.push_back(ticks), now += ticks; }
    void ReleaseDevice() override {}
    void SetWindowTitle(const std::string& newTitle) override { title = newTitle, ++titlesSet; }

    int64_t now = 0;
    int frames = 0;           // PumpMessages calls that did not quit
    int presents = 0;         // RenderFrame calls: frames drawn and presented
    int quitAfterFrames = 1;  // PumpMessages reports quit on call number quitAfterFrames + 1
    std::vector<int64_t> sleeps;
    std::function<void(int frame)> onFrame;  // runs in PumpMessages for each frame that goes on

    std::string title = "Game";  // as the window was created
    int titlesSet = 0;
    // Set by a test: the next PumpMessages delivers a close request from the user, which
    // quits only if Game::ConfirmClose agrees; the request is used up either way.
    bool closeRequested = false;
    bool closedByUser = false;
    // Set by a test: a minimised or hidden window, and the window system asking for a redraw.
    bool shown = true;
    bool focusGained = false;  // set by a test: the window has just gained the focus
    bool redrawRequested = false;
};
