#pragma once

#include <SDL_events.h>

#include "core/Vector2.hpp"

// The pointer and the three buttons as the window's own mouse events report them. SDL's
// polled global state goes stale after the pointer is warped, and a click shorter than a frame
// never shows in it; the events carry both exactly.
class SdlMouse {
public:
    // Takes motion and button events; ignores every other event.
    void Handle(const SDL_Event& event);

    // Back-buffer pixels (the renderer maps window coordinates through its logical size).
    Vector2 position() const { return position_; }
    // Down now, or pressed at any time since the last Polled: a click between two polls
    // still counts as down for one poll. `button` is SDL_BUTTON_LEFT, _MIDDLE or _RIGHT.
    bool IsDown(int button) const;
    // Forgets the presses that have been reported.
    void Polled();

private:
    static constexpr int buttonCount = 3;
    Vector2 position_;
    bool held_[buttonCount] = {};
    bool pressedSincePoll_[buttonCount] = {};
};
