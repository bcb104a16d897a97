// A game controller's d-pad and left stick set and clear the arrow keys' game keys.
#include <gtest/gtest.h>

#include "core/SdlController.hpp"
#include "input/InputManager.hpp"
#include "support/HeadlessScreen.hpp"

namespace {

class Controller : public ::testing::Test {
protected:
    void Button(SDL_JoystickID pad, SDL_GameControllerButton button, bool down) {
        SDL_Event e{};
        e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
        e.cbutton.which = pad;
        e.cbutton.button = Uint8(button);
        e.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
        controller.Handle(e, input);
    }
    void Axis(SDL_JoystickID pad, SDL_GameControllerAxis axis, int value) {
        SDL_Event e{};
        e.type = SDL_CONTROLLERAXISMOTION;
        e.caxis.which = pad;
        e.caxis.axis = Uint8(axis);
        e.caxis.value = Sint16(value);
        controller.Handle(e, input);
    }
    void Event(Uint32 type, SDL_JoystickID pad, Uint8 windowEvent = 0) {
        SDL_Event e{};
        e.type = type;
        e.cdevice.which = pad;
        if (type == SDL_WINDOWEVENT) e.window.event = windowEvent;
        controller.Handle(e, input);
    }
    // Up, down, left, right as four letters: "U..R".
    std::string Held() const {
        std::string held;
        for (auto [key, letter] :
             {std::pair{Key::Up, 'U'}, {Key::Down, 'D'}, {Key::Left, 'L'}, {Key::Right, 'R'}})
            held += input.IsKeyDown(key) ? letter : '.';
        return held;
    }

    SdlController controller;
    InputManager input;
};

TEST_F(Controller, DpadHoldsItsArrowUntilReleased) {
    Button(1, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    Button(1, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    Button(1, SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(Held(), "U..R");
    EXPECT_EQ(input.keys.count(), 2u) << "other buttons set no key";
    Button(1, SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    EXPECT_EQ(Held(), "...R");
}

TEST_F(Controller, StickPressesPastHalfAndReleasesOnlyBelowTheSmallerBand) {
    const struct {
        SDL_GameControllerAxis axis;
        int value;
        const char* held;
    } steps[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, SdlController::ReleaseBelow + 2000,
         "...."},  // drift inside the dead zone
        {SDL_CONTROLLER_AXIS_LEFTX, SdlController::PressAt, "...R"},
        {SDL_CONTROLLER_AXIS_LEFTX, SdlController::ReleaseBelow, "...R"},  // held between the bands
        {SDL_CONTROLLER_AXIS_LEFTX, SdlController::ReleaseBelow - 1, "...."},
        {SDL_CONTROLLER_AXIS_LEFTY, -32768, "U..."},                   // y grows downwards
        {SDL_CONTROLLER_AXIS_LEFTX, -SdlController::PressAt, "U.L."},  // a diagonal holds two
        {SDL_CONTROLLER_AXIS_LEFTX, SdlController::PressAt, "U..R"},   // straight across
        {SDL_CONTROLLER_AXIS_RIGHTX, -32768, "U..R"},                  // the right stick walks not
        {SDL_CONTROLLER_AXIS_LEFTY, 32767, ".D.R"},
    };
    for (const auto& step : steps) {
        Axis(4, step.axis, step.value);
        EXPECT_EQ(Held(), step.held) << "axis " << int(step.axis) << " at " << step.value;
    }
}

TEST_F(Controller, KeyStaysHeldWhileAnyPadHoldsItAndGoesWithTheLastOrOnFocusLoss) {
    Button(1, SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    Axis(2, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    Event(SDL_CONTROLLERDEVICEREMOVED, 1);
    EXPECT_EQ(Held(), "..L.") << "the other pad still holds it";
    // A key the keyboard set meanwhile is not the controller's to clear while it stays put.
    input.SetKey(Key::Down, true);
    Axis(2, SDL_CONTROLLER_AXIS_LEFTX, -32000);
    EXPECT_EQ(Held(), ".DL.");
    Event(SDL_WINDOWEVENT, 0, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(Held(), ".D..");
    Button(2, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    Event(SDL_CONTROLLERDEVICEREMOVED, 2);
    EXPECT_EQ(Held(), ".D..") << "an unplugged pad lets go";
}

}  // namespace

// The real platform opens a controller plugged in while the game runs and lets go of its
// arrows when it is pulled out; SDL's virtual controller stands in for a device.
TEST(ControllerHotPlug, PluggedInControllerWalksAndUnpluggingReleases) {
    // The dummy window never has the focus, and SDL drops a pad's presses without it.
    ScopedEnv background(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    HeadlessScreen screen;
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                 SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    ASSERT_TRUE(screen.platform().PumpMessages());
    SDL_GameController* pad = SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
    ASSERT_NE(pad, nullptr) << "the platform opened the controller";
    SDL_JoystickSetVirtualButton(SDL_GameControllerGetJoystick(pad), SDL_CONTROLLER_BUTTON_DPAD_UP,
                                 SDL_PRESSED);
    ASSERT_TRUE(screen.platform().PumpMessages());
    EXPECT_TRUE(screen.input.IsKeyDown(Key::Up));
    SDL_JoystickDetachVirtual(device);
    ASSERT_TRUE(screen.platform().PumpMessages());
    EXPECT_FALSE(screen.input.IsKeyDown(Key::Up));
}
