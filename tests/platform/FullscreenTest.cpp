// F11 and Alt+Enter switch the real window to fullscreen and back without reaching the game as
// keys, and the pointer still lands in back-buffer pixels when the window covers the screen.
#include <SDL.h>
#include <gtest/gtest.h>

#include "support/HeadlessScreen.hpp"

TEST(Fullscreen, ToggleKeysSwitchTheWindowOnceAndThePointerMapsToTheFrame) {
    HeadlessScreen screen;
    SDL_Window* window = screen.settings.window;
    auto push = [&](SDL_Scancode scancode, Uint16 mod, bool repeat) {
        SDL_Event e{};
        e.key = {SDL_KEYDOWN,
                 0,
                 SDL_GetWindowID(window),
                 SDL_PRESSED,
                 Uint8(repeat),
                 0,
                 0,
                 {scancode, SDL_GetKeyFromScancode(scancode), mod, 0}};
        SDL_PushEvent(&e);
    };
    auto fullscreen = [&] { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; };

    push(SDL_SCANCODE_F11, KMOD_NONE, false);
    ASSERT_TRUE(screen.platform().PumpMessages());
    ASSERT_TRUE(fullscreen());
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    ASSERT_GT(w, 800) << "the dummy display is larger than the frame";
    SDL_Event motion{};
    motion.motion = {SDL_MOUSEMOTION, 0, SDL_GetWindowID(window), 0, 0, w / 2, h / 2, 0, 0};
    SDL_PushEvent(&motion);
    // Held, Alt+Enter repeats: only its first press switches.
    push(SDL_SCANCODE_RETURN, KMOD_LALT, false);
    push(SDL_SCANCODE_RETURN, KMOD_LALT, true);
    ASSERT_TRUE(screen.platform().PumpMessages());
    EXPECT_EQ(screen.input.mousePosition, Vector2(400, 300)) << "the screen's centre is the frame's";
    EXPECT_FALSE(fullscreen());
    EXPECT_FALSE(screen.input.IsKeyDown(Key::F11));
    EXPECT_FALSE(screen.input.IsKeyDown(Key::OemEnter));
}
