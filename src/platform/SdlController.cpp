#include "platform/SdlController.hpp"

#include <stdexcept>

#include "input/InputManager.hpp"
#include "input/Key.hpp"
#include "platform/SdlHandles.hpp"

namespace {

// A, B and Start choose, go back and open the menu.
Key MenuButton(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A: return Key::PadA;
        case SDL_CONTROLLER_BUTTON_B: return Key::PadB;
        case SDL_CONTROLLER_BUTTON_START: return Key::PadStart;
        default: return Key::None;
    }
}

}  // namespace

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
            if (const Key button = MenuButton(event.cbutton.button); button != Key::None) {
                input.SetKey(button, event.cbutton.state == SDL_PRESSED);
                return;
            }
            const int direction = event.cbutton.button - SDL_CONTROLLER_BUTTON_DPAD_UP;
            if (direction < 0 || direction >= DirectionCount) return;
            pads_[event.cbutton.which].dpad[direction] = event.cbutton.state == SDL_PRESSED;
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
            for (Key button : {Key::PadA, Key::PadB, Key::PadStart}) input.SetKey(button, false);
            break;
        default:
            return;
    }
    Publish(input);
}

void SdlController::Publish(InputManager& input) {
    static constexpr Key keys[DirectionCount] = {Key::Up, Key::Down, Key::Left, Key::Right};
    bool held[DirectionCount] = {};
    for (const auto& [id, pad] : pads_) {
        held[Up] |= pad.dpad[Up] || pad.stickY < 0;
        held[Down] |= pad.dpad[Down] || pad.stickY > 0;
        held[Left] |= pad.dpad[Left] || pad.stickX < 0;
        held[Right] |= pad.dpad[Right] || pad.stickX > 0;
    }
    // Only changes reach the input: a pad at rest leaves the arrow keys to the keyboard.
    for (int d = 0; d < DirectionCount; ++d) {
        if (held[d] != published_[d]) input.SetKey(keys[d], held[d]);
        published_[d] = held[d];
    }
}
