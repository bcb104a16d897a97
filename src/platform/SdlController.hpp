#pragma once

#include <SDL.h>

#include <map>
#include <memory>

#include "platform/SdlHandles.hpp"

class InputManager;

// Game controllers walk like the arrow keys: the d-pad and the left stick set and clear the
// game's Up, Down, Left and Right keys, and the A and B buttons its Enter and Esc keys, so the
// key mappings decide what they do. Controllers may be plugged in and out while the game runs.
class SdlController {
public:
    SdlController();
    ~SdlController();
    SdlController(const SdlController&) = delete;
    SdlController& operator=(const SdlController&) = delete;

    // Starts SDL's controller subsystem; SDL then reports the controllers already plugged in as
    // added. False when it cannot start: the game is then played on the keyboard alone.
    bool Start();

    // Takes the controller events (added, removed, button, axis) and the window's focus loss;
    // ignores every other event.
    void Handle(const SDL_Event& event, InputManager& input);

    // Stick positions, of SDL's -32768..32767: a direction is pressed at PressAt and released
    // below ReleaseBelow, so a stick resting near a threshold does not flicker.
    static constexpr int PressAt = 16000;
    static constexpr int ReleaseBelow = 10000;

private:
    // The game keys a pad holds: the four directions, then the A and B buttons.
    enum Direction { Up, Down, Left, Right, DirectionCount, ButtonA = DirectionCount, ButtonB, HeldCount };
    struct Pad {
        ControllerPtr handle;  // null for one whose events came without an open
        bool buttons[HeldCount] = {};  // the d-pad, A and B
        int stickX = 0;  // -1 left, 0, 1 right
        int stickY = 0;  // -1 up, 0, 1 down
    };

    static int StickState(int state, int value);
    void Publish(InputManager& input);

    // Declared before the pads, so destroyed after them: quitting the subsystem frees every
    // controller still open, so the pads must have closed theirs by then.
    std::unique_ptr<SdlSubsystem> subsystem_;
    std::map<SDL_JoystickID, Pad> pads_;
    bool published_[HeldCount] = {};  // what the input manager was last told
};
