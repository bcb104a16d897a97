// F11 and Alt+Enter switch the real window to fullscreen and back without reaching the game as
// keys, and the pointer still lands in back-buffer pixels when the window covers the screen.
#include <SDL.h>
#include <gtest/gtest.h>

#include "support/HeadlessScreen.hpp"

namespace {

void Push(SDL_Window* window, SDL_Scancode scancode, Uint16 mod, bool repeat = false) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = SDL_GetWindowID(window);
    e.key.state = SDL_PRESSED;
    e.key.repeat = repeat;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    e.key.keysym.mod = mod;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

TEST(Fullscreen, ToggleKeysSwitchTheWindowAndThePointerMapsToTheFrame) {
    HeadlessScreen screen;
    SDL_Window* window = screen.settings.window;
    auto fullscreen = [&] { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; };
    ASSERT_FALSE(fullscreen());

    Push(window, SDL_SCANCODE_F11, KMOD_NONE);
    ASSERT_TRUE(screen.platform().PumpMessages());
    ASSERT_TRUE(fullscreen());
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    ASSERT_GT(w, 800) << "the dummy display is larger than the frame";
    // The centre of the screen is the centre of the frame.
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = SDL_GetWindowID(window);
    motion.motion.x = w / 2;
    motion.motion.y = h / 2;
    ASSERT_EQ(SDL_PushEvent(&motion), 1);
    // Held, Alt+Enter repeats: only the first press switches.
    Push(window, SDL_SCANCODE_RETURN, KMOD_LALT);
    Push(window, SDL_SCANCODE_RETURN, KMOD_LALT, true);
    ASSERT_TRUE(screen.platform().PumpMessages());
    EXPECT_EQ(screen.input.mousePosition, Vector2(400, 300));
    EXPECT_FALSE(fullscreen());
    EXPECT_FALSE(screen.input.IsKeyDown(Key::F11));
    EXPECT_FALSE(screen.input.IsKeyDown(Key::OemEnter));

    Push(window, SDL_SCANCODE_RETURN, KMOD_NONE);  // Enter alone is the game's
    ASSERT_TRUE(screen.platform().PumpMessages());
    EXPECT_TRUE(screen.input.IsKeyDown(Key::OemEnter));
    EXPECT_FALSE(fullscreen());
}

}  // namespace
