#pragma once

// Something that may hold back the closing of the window, such as unsaved edits.
class CloseGuard {
public:
    virtual ~CloseGuard() = default;
    // Asked when the user closes the window; true lets it close now. A guard that answers
    // false may ask the user in the game's own window and end the game later (Game::RequestQuit).
    virtual bool ConfirmClose() = 0;
    // The frame loop has ended, for whatever reason (the window closed, a signal): the last
    // moment to keep what must not be lost.
    virtual void LoopEnded() {}
};
