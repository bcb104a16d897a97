// The SDL platform on SDL's dummy video driver, with events pushed into SDL's queue.
#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <optional>

#include "core/CloseGuard.hpp"
#include "core/Services.hpp"
#include "game/Game.hpp"
#include "support/FakePlatform.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"

namespace {

SDL_Event KeyEvent(SDL_Scancode scancode, bool down = true, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym = SDL_Keysym{scancode, SDL_GetKeyFromScancode(scancode), mod, 0};
    return e;
}

// A button event, or a motion when `button` is 0.
SDL_Event MouseEvent(Uint8 button, bool down, int x, int y) {
    SDL_Event e{};
    e.type = button == 0 ? SDL_MOUSEMOTION : down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    if (button == 0) e.motion.x = x, e.motion.y = y;
    if (button != 0) e.button.button = button, e.button.x = x, e.button.y = y;
    return e;
}

SDL_Event CloseEvent(Uint32 type) {
    SDL_Event e{};
    e.type = type;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    return e;
}

// Answers every close request as told, and counts them.
struct ScriptedGuard : CloseGuard {
    bool ConfirmClose() override { return ++asked, answer; }
    bool answer = false;
    int asked = 0;
};

// A game to ask, with the SDL platform pumping beside it.
struct PumpWorld {
    TempContent content;
    Game game{std::make_unique<FakePlatform>()};
    ScriptedGuard guard;
    std::optional<HeadlessScreen> screen;
    PumpWorld() { game.SetCloseGuard(&guard), screen.emplace(); }
    ~PumpWorld() { game.SetCloseGuard(nullptr); }
    // One frame as the loop runs it, with `events` pending.
    bool Frame(std::initializer_list<SDL_Event> events = {}) {
        for (SDL_Event e : events) EXPECT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
        screen->input.BeginFrame();
        return screen->platform().PumpMessages();
    }
    std::vector<int> Keys() const {
        std::vector<int> down;
        for (size_t k = 0; k < screen->input.keys.size(); ++k)
            if (screen->input.keys.test(k)) down.push_back(int(k));
        return down;
    }
};

}  // namespace

TEST(SdlPlatform, KeysAndButtonsArriveAsTheGameNamesThemAndOnlyTheUserClosingAsks) {
    PumpWorld w;
    // One Shift and one Enter; F13 has no game name: its virtual key, 124; the keypad's "="
    // has no virtual key; A goes down and up between frames: no trace; a click between two polls.
    ASSERT_TRUE(
        w.Frame({KeyEvent(SDL_SCANCODE_RSHIFT), KeyEvent(SDL_SCANCODE_KP_ENTER), KeyEvent(SDL_SCANCODE_F13),
                 KeyEvent(SDL_SCANCODE_KP_EQUALS), KeyEvent(SDL_SCANCODE_A), KeyEvent(SDL_SCANCODE_A, false),
                 MouseEvent(SDL_BUTTON_LEFT, true, 1, 2), MouseEvent(SDL_BUTTON_LEFT, false, 1, 2),
                 MouseEvent(SDL_BUTTON_RIGHT, true, 10, 20)}));
    EXPECT_EQ(w.Keys(), (std::vector<int>{int(Key::OemEnter), int(Key::Shift), int(Key::LeftMouse),
                                          int(Key::RightMouse), 124}));
    // The click counted for one poll; the held button stays down. The close box asks the game;
    // SDL sends both events as the last window closes.
    EXPECT_TRUE(w.Frame({KeyEvent(SDL_SCANCODE_RSHIFT, false), MouseEvent(0, false, 640, 7),
                         CloseEvent(SDL_WINDOWEVENT), CloseEvent(SDL_QUIT)}));
    EXPECT_EQ(w.Keys(), (std::vector<int>{int(Key::OemEnter), int(Key::RightMouse), 124}));
    EXPECT_EQ(w.screen->input.mousePosition, Vector2(640, 7));
    EXPECT_TRUE(
        w.Frame({KeyEvent(SDL_SCANCODE_F4, true, KMOD_LCTRL)}));  // F4 without Alt is a key like any other
    EXPECT_EQ(w.guard.asked, 1);
    EXPECT_TRUE(w.Frame({CloseEvent(SDL_WINDOWEVENT)}));  // each alone asks too
    EXPECT_TRUE(w.Frame({CloseEvent(SDL_QUIT)}));         // another program asking the game to quit
    EXPECT_EQ(w.guard.asked, 3);
    w.guard.answer = true;
    EXPECT_FALSE(
        w.Frame({KeyEvent(SDL_SCANCODE_LALT, true, KMOD_LALT), KeyEvent(SDL_SCANCODE_F4, true, KMOD_LALT)}));
    EXPECT_EQ(w.guard.asked, 4);
    // The title shows on the window.
    w.screen->platform().SetWindowTitle("Game *");
    EXPECT_STREQ(SDL_GetWindowTitle(w.screen->settings.window), "Game *");
    for (int signal : {SIGINT, SIGTERM}) {  // a signal quits without asking
        PumpWorld signalled;
        std::raise(signal);
        EXPECT_FALSE(signalled.Frame()) << signal;
        EXPECT_EQ(signalled.guard.asked, 0);
    }
}

// F11 and Alt+Enter (not its repeats) switch the window to fullscreen and back without reaching
// the game as keys, and the pointer still lands in back-buffer pixels over the whole screen.
TEST(SdlPlatform, ToggleKeysSwitchFullscreenOnceAndThePointerMapsToTheFrame) {
    PumpWorld w;
    SDL_Window* window = w.screen->settings.window;
    const auto fullscreen = [&] { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; };
    ASSERT_TRUE(w.Frame({KeyEvent(SDL_SCANCODE_F11)}));
    ASSERT_TRUE(fullscreen());
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    ASSERT_GT(width, 800) << "the dummy display is larger than the frame";
    SDL_Event centre = MouseEvent(0, false, width / 2, height / 2), repeat = KeyEvent(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    centre.motion.windowID = SDL_GetWindowID(window);  // the renderer maps its own window's events
    repeat.key.repeat = 1;
    ASSERT_TRUE(w.Frame({centre, KeyEvent(SDL_SCANCODE_RETURN, true, KMOD_LALT), repeat}));
    EXPECT_EQ(w.screen->input.mousePosition, Vector2(400, 300)) << "the screen's centre is the frame's";
    EXPECT_FALSE(fullscreen());
    EXPECT_EQ(w.Keys(), std::vector<int>{});
}

// Nothing is drawn while the window is hidden; the window system's losses (exposed, shown
// again, fullscreen switched, render targets reset) each ask for one redraw.
TEST(SdlPlatform, AHiddenWindowIsNotDrawnAndEachLossOfThePictureAsksForOneRedraw) {
    PumpWorld w;
    Platform& platform = w.screen->platform();
    const auto asks = [&](SDL_Event event) {
        w.Frame(event.type ? std::initializer_list<SDL_Event>{event} : std::initializer_list<SDL_Event>{});
        return platform.TakeRedrawRequest() && !platform.TakeRedrawRequest();
    };
    asks({});  // whatever creating the window said
    EXPECT_FALSE(asks({}));
    EXPECT_TRUE(asks({.window = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_EXPOSED, 0, 0, 0, 0, 0}}));
    EXPECT_TRUE(asks(KeyEvent(SDL_SCANCODE_F11)));
    EXPECT_TRUE(asks({.type = SDL_RENDER_TARGETS_RESET}));
    SDL_HideWindow(w.screen->settings.window);
    EXPECT_FALSE(platform.WindowShown());
    SDL_ShowWindow(w.screen->settings.window);
    EXPECT_TRUE(platform.WindowShown() && asks({}));
}
