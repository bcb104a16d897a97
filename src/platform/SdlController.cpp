#include "platform/SdlController.hpp"

#include <stdexcept>

#include "input/InputManager.hpp"
#include "input/Key.hpp"
#include "platform/SdlHandles.hpp"

SdlController::SdlController() = default;

SdlController::~SdlController() = default;

bool SdlController::Start() {
    try {
        subsystem_ = std::make_unique<SdlSubsystem>(SDL_INIT_GAMECONTROLLER);
    } catch (const std::runtime_error&) {
        return false;
    }
    return true;
}

int SdlController::StickState(int state, int value) {
    if (value >= PressAt) return 1;
    if (value <= -PressAt) return -1;
    // Held until the stick is back inside the smaller band.
    if (state > 0 && value >= ReleaseBelow) return 1;
    if (state < 0 && value <= -ReleaseBelow) return -1;
    return 0;
}

void SdlController::Handle(const SDL_Event& event, InputManager& input) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            // `which` is the device index here; events then carry the instance id.
            if (ControllerPtr handle{SDL_GameControllerOpen(event.cdevice.which)}) {
                Pad& pad = pads_[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle.get()))];
                // Reported twice (plugged in while SDL started): one open is enough, and the
                // second goes with `handle`.
                if (!pad.handle) pad.handle = std::move(handle);
            }
            return;
        case SDL_CONTROLLERDEVICEREMOVED:
            pads_.erase(event.cdevice.which);  // closes it
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            // SDL numbers the d-pad's buttons up, down, left, right, as Direction does.
            static_assert(SDL_CONTROLLER_BUTTON_DPAD_RIGHT - SDL_CONTROLLER_BUTTON_DPAD_UP == Right);
            int held = event.cbutton.button - SDL_CONTROLLER_BUTTON_DPAD_UP;
            if (event.cbutton.button == SDL_CONTROLLER_BUTTON_A) held = ButtonA;
            if (event.cbutton.button == SDL_CONTROLLER_BUTTON_B) held = ButtonB;
            if (held < 0 || held >= HeldCount) return;
            pads_[event.cbutton.which].buttons[held] = event.cbutton.state == SDL_PRESSED;
            break;
        }
        case SDL_CONTROLLERAXISMOTION: {
            Pad& pad = pads_[event.caxis.which];
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
                pad.stickX = StickState(pad.stickX, event.caxis.value);
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                pad.stickY = StickState(pad.stickY, event.caxis.value);
            break;
        }
        case SDL_WINDOWEVENT:
            // As SDL does with the keyboard: nothing walks while another window has the focus.
            if (event.window.event != SDL_WINDOWEVENT_FOCUS_LOST) return;
            for (auto& [id, pad] : pads_) pad = Pad{std::move(pad.handle)};
            break;
        default:
            return;
    }
    Publish(input);
}

void SdlController::Publish(InputManager& input) {
    static constexpr Key keys[HeldCount] = {Key::Up, Key::Down, Key::Left, Key::Right, Key::OemEnter, Key::Esc};
    bool held[HeldCount] = {};
    for (const auto& [id, pad] : pads_) {
        held[Up] |= pad.buttons[Up] || pad.stickY < 0;
        held[Down] |= pad.buttons[Down] || pad.stickY > 0;
        held[Left] |= pad.buttons[Left] || pad.stickX < 0;
        held[Right] |= pad.buttons[Right] || pad.stickX > 0;
        held[ButtonA] |= pad.buttons[ButtonA];
        held[ButtonB] |= pad.buttons[ButtonB];
    }
    // Only changes reach the input: a pad at rest leaves the keys to the keyboard.
    for (int d = 0; d < HeldCount; ++d) {
        if (held[d] != published_[d]) input.SetKey(keys[d], held[d]);
        published_[d] = held[d];
    }
}
