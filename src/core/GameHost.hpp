#pragma once

class CloseGuard;
class Platform;

// The running game as the parts below it reach it (Services::game): the platform asks it
// before the window closes; the gameplay registers its close guard, sets the window title
// and ends the game after its own question.
class GameHost {
public:
    virtual ~GameHost() = default;

    virtual Platform& platform() = 0;
    // Asked when the user closes the window; true means close now. Without a guard always true.
    virtual bool ConfirmClose() = 0;
    // The guard is not owned; null removes it.
    virtual void SetCloseGuard(CloseGuard* guard) = 0;
    // Ends the loop at the next frame, for a guard that held a close back and lets it go later.
    virtual void RequestQuit() = 0;
};
