#pragma once

#include <cstdint>
#include <string>

class FrameDraws;

// What the frame loop needs from the machine. The SDL platform implements it for real;
// tests replace it to drive the loop frame by frame with a clock of their own.
class Platform {
public:
    virtual ~Platform() = default;

    // A visible window, the device and the sprite batch, stored in GameSettings.
    virtual void CreateWindowAndDevice() = 0;
    // Polls the mouse, delivers pending messages; false once the quit message was taken.
    // A close request from the user goes through Game::ConfirmClose first; a signal quits
    // without asking.
    virtual bool PumpMessages() = 0;
    // Clears to the frame's colour, draws its layer 1 then its layer 2, presents.
    virtual void RenderFrame(const FrameDraws& frame) = 0;
    // False while the window is minimised or hidden: nobody would see a frame drawn then.
    virtual bool WindowShown() { return true; }
    // True once after the window system lost or rescaled what the window shows (exposed,
    // resized, restored, fullscreen switched, render targets reset): the next frame is
    // presented even if it draws what the last one drew.
    virtual bool TakeRedrawRequest() { return false; }
    // True once after the window gained the keyboard focus: the user may come back from
    // another program that changed files.
    virtual bool TakeFocusGained() { return false; }
    // High-resolution counter, in ticks.
    virtual int64_t NowTicks() = 0;
    // Ticks per second of NowTicks.
    virtual int64_t CounterFrequency() = 0;
    // Sleeps for about `ticks`, never longer: rounded down to the timer resolution.
    virtual void SleepTicks(int64_t ticks) = 0;
    // Releases the sprite batch, then the device, then the window.
    virtual void ReleaseDevice() = 0;

    // A platform without a window has no title to set.
    virtual void SetWindowTitle(const std::string& title) { (void)title; }
    // Fullscreen or the window's own size; set before the window is made, it is made so.
    virtual bool IsFullscreen() { return fullscreen_; }
    virtual void SetFullscreen(bool fullscreen) { fullscreen_ = fullscreen; }

private:
    bool fullscreen_ = false;
};
