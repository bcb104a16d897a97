// A game controller's d-pad and left stick set and clear the arrow keys' game keys.
#include <gtest/gtest.h>

#include "input/InputManager.hpp"
#include "platform/SdlController.hpp"
#include "support/HeadlessScreen.hpp"

namespace {

SDL_Event Button(SDL_JoystickID pad, int button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    e.cbutton.which = pad;
    e.cbutton.button = Uint8(button);
    e.cbutton.state = Uint8(down);
    return e;
}

SDL_Event Axis(SDL_JoystickID pad, int axis, int value) {
    SDL_Event e{};
    e.caxis = {SDL_CONTROLLERAXISMOTION, 0, pad, Uint8(axis), 0, 0, 0, Sint16(value), 0};
    return e;
}

TEST(Controller, DpadAndLeftStickHoldTheArrowsWhileAnyPadHoldsThem) {
    constexpr int Press = SdlController::PressAt, Release = SdlController::ReleaseBelow;
    const struct {
        SDL_Event event;
        const char* held;  // up, left, right
    } steps[] = {
        {Button(1, SDL_CONTROLLER_BUTTON_DPAD_UP, true), "U.."},
        {Button(1, SDL_CONTROLLER_BUTTON_X, true), "U.."},  // other buttons: no key
        {Button(1, SDL_CONTROLLER_BUTTON_DPAD_UP, false), "..."},
        {Axis(2, SDL_CONTROLLER_AXIS_LEFTX, Release + 2000), "..."},  // dead zone
        {Axis(2, SDL_CONTROLLER_AXIS_LEFTX, Press), "..R"},
        {Axis(2, SDL_CONTROLLER_AXIS_LEFTX, Release), "..R"},  // between the bands
        {Axis(2, SDL_CONTROLLER_AXIS_LEFTX, Release - 1), "..."},
        {Axis(2, SDL_CONTROLLER_AXIS_LEFTY, -32768), "U.."},  // y grows down
        {Axis(2, SDL_CONTROLLER_AXIS_LEFTX, -Press), "UL."},  // a diagonal
        {Axis(2, SDL_CONTROLLER_AXIS_RIGHTX, 32767), "UL."},  // right stick: no key
        {Button(3, SDL_CONTROLLER_BUTTON_DPAD_LEFT, true), "UL."},
        {SDL_Event{.cdevice = {SDL_CONTROLLERDEVICEREMOVED, 0, 2}}, ".L."},  // pad 3 still holds left
        {SDL_Event{.window = {SDL_WINDOWEVENT, 0, 1, SDL_WINDOWEVENT_FOCUS_LOST, 0, 0, 0, 0, 0}}, "..."},
    };
    SdlController controller;
    InputManager input;
    input.SetKey(Key::Down, true);  // the keyboard's: left alone while no pad changes it
    for (const auto& step : steps) {
        controller.Handle(step.event, input);
        const std::string held{input.IsKeyDown(Key::Up) ? 'U' : '.', input.IsKeyDown(Key::Left) ? 'L' : '.',
                               input.IsKeyDown(Key::Right) ? 'R' : '.'};
        EXPECT_EQ(held, step.held) << "step " << &step - steps;
        EXPECT_TRUE(input.IsKeyDown(Key::Down));
    }
    // A and B answer as Enter and Esc do.
    controller.Handle(Button(1, SDL_CONTROLLER_BUTTON_A, true), input);
    controller.Handle(Button(1, SDL_CONTROLLER_BUTTON_B, true), input);
    EXPECT_TRUE(input.IsKeyDown(Key::OemEnter) && input.IsKeyDown(Key::Esc));
    controller.Handle(Button(1, SDL_CONTROLLER_BUTTON_A, false), input);
    EXPECT_FALSE(input.IsKeyDown(Key::OemEnter));
}

// The real platform opens a controller plugged in while the game runs; SDL's virtual controller
// stands in for a device.
TEST(Controller, PluggedInWhileTheGameRunsItWalks) {
    // The dummy window never has the focus, and SDL drops a pad's presses without it.
    ScopedEnv background(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    HeadlessScreen screen;
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                 SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    ASSERT_TRUE(screen.platform().PumpMessages());
    SDL_GameController* pad = SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
    ASSERT_NE(pad, nullptr) << "not opened";
    SDL_JoystickSetVirtualButton(SDL_GameControllerGetJoystick(pad), SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
    ASSERT_TRUE(screen.platform().PumpMessages());
    EXPECT_TRUE(screen.input.IsKeyDown(Key::Up));
    SDL_JoystickDetachVirtual(device);
}

}  // namespace
