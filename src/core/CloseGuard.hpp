#pragma once

// Something that may hold back the closing of the window, such as unsaved edits.
class CloseGuard {
public:
    virtual ~CloseGuard() = default;
    // Asked when the user closes the window; true lets it close now. A guard that answers
    // false may ask the user in the game's own window and end the game later (Game::RequestQuit).
    virtual bool ConfirmClose() = 0;
};
