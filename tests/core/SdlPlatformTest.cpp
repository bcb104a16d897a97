// The SDL platform's message pump, driven by events pushed into SDL's queue.
#include <csignal>

#include <SDL.h>
#include <gtest/gtest.h>

#include "core/ErrorReport.hpp"
#include "core/SdlPlatform.hpp"
#include "core/Services.hpp"
#include "core/CloseGuard.hpp"
#include "core/Game.hpp"
#include "support/FakePlatform.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"

namespace {

class SdlPump : public ::testing::Test {
protected:
    void PushKey(SDL_Scancode scancode, SDL_Keycode sym, bool down, Uint16 mod = KMOD_NONE) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.windowID = SDL_GetWindowID(screen.settings.window);
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.scancode = scancode;
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    }

    void PushButton(Uint8 button, bool down, int x = 10, int y = 20) {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.windowID = SDL_GetWindowID(screen.settings.window);
        e.button.button = button;
        e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = x;
        e.button.y = y;
        ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    }

    // One frame as the loop runs it: previous := current, then the pump.
    bool Frame() {
        screen.input.BeginFrame();
        return screen.platform().PumpMessages();
    }

    HeadlessScreen screen;
};

TEST_F(SdlPump, KeyEventsSetAndClearTheTranslatedKey) {
    PushKey(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, true);
    PushKey(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, true);
    ASSERT_TRUE(Frame());
    EXPECT_TRUE(screen.input.IsKeyDown(Key::Shift));
    EXPECT_TRUE(screen.input.IsKeyDown(Key::OemEnter));
    EXPECT_FALSE(screen.input.IsKeyDown(Key::RightShift));
    EXPECT_FALSE(screen.input.IsKeyDown(Key::KeypadEnter));

    PushKey(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, false);
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(screen.input.IsKeyDown(Key::Shift));
    EXPECT_TRUE(screen.input.IsKeyDown(Key::OemEnter));
}

TEST_F(SdlPump, KeyWithoutVirtualKeyPassesThroughOrIsDropped) {
    PushKey(SDL_SCANCODE_F13, SDLK_F13, true);      // a virtual key the game has no name for
    PushKey(SDL_SCANCODE_KP_EQUALS, SDLK_KP_EQUALS, true);  // no virtual key at all
    ASSERT_TRUE(Frame());
    KeySet expected;
    expected.set(124);
    EXPECT_EQ(screen.input.keys, expected);
}

TEST_F(SdlPump, KeyPressedAndReleasedBetweenFramesLeavesNoTrace) {
    PushKey(SDL_SCANCODE_A, SDLK_a, true);
    PushKey(SDL_SCANCODE_A, SDLK_a, false);
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(screen.input.IsKeyDown(Key::A));
}

TEST_F(SdlPump, ClickBetweenTwoPollsCountsAsDownForOnePoll) {
    PushButton(SDL_BUTTON_LEFT, true, 123, 45);
    PushButton(SDL_BUTTON_LEFT, false, 123, 45);
    ASSERT_TRUE(Frame());
    EXPECT_TRUE(screen.input.IsKeyPressed(Key::LeftMouse));
    EXPECT_EQ(screen.input.mousePosition, Vector2(123, 45));
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(screen.input.IsKeyDown(Key::LeftMouse));
}

TEST_F(SdlPump, HeldButtonStaysDownUntilReleased) {
    PushButton(SDL_BUTTON_RIGHT, true);
    ASSERT_TRUE(Frame());
    ASSERT_TRUE(Frame());
    EXPECT_TRUE(screen.input.IsKeyDown(Key::RightMouse));
    EXPECT_FALSE(screen.input.IsKeyPressed(Key::RightMouse));
    EXPECT_FALSE(screen.input.IsKeyDown(Key::LeftMouse));
    EXPECT_FALSE(screen.input.IsKeyDown(Key::MiddleMouse));
    PushButton(SDL_BUTTON_RIGHT, false);
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(screen.input.IsKeyDown(Key::RightMouse));
}

TEST_F(SdlPump, MotionMovesTheMouseAndOldPositionIsKept) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(screen.settings.window);
    e.motion.x = 640;
    e.motion.y = 7;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
    ASSERT_TRUE(Frame());
    EXPECT_EQ(screen.input.mousePosition, Vector2(640, 7));
    ASSERT_TRUE(Frame());
    EXPECT_EQ(screen.input.previousMousePosition, Vector2(640, 7));
}

TEST_F(SdlPump, QuitAndWindowCloseEndTheLoop) {
    ASSERT_TRUE(Frame());
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(screen.settings.window);
    ASSERT_EQ(SDL_PushEvent(&close), 1);
    EXPECT_FALSE(Frame());
    EXPECT_FALSE(Frame());  // once quit, it stays quit
}

TEST_F(SdlPump, SdlQuitEndsTheLoop) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    EXPECT_FALSE(Frame());
}

TEST_F(SdlPump, AltF4EndsTheLoopAndStillSetsItsKeys) {
    PushKey(SDL_SCANCODE_LALT, SDLK_LALT, true, KMOD_LALT);
    ASSERT_TRUE(Frame());
    PushKey(SDL_SCANCODE_F4, SDLK_F4, true, KMOD_LALT);
    EXPECT_FALSE(Frame());
    EXPECT_TRUE(screen.input.IsKeyDown(Key::Alt));
    EXPECT_TRUE(screen.input.IsKeyDown(Key::F4));
}

TEST_F(SdlPump, F4WithoutAltIsAKeyLikeAnyOther) {
    PushKey(SDL_SCANCODE_F4, SDLK_F4, true, KMOD_LCTRL);
    EXPECT_TRUE(Frame());
    EXPECT_TRUE(screen.input.IsKeyDown(Key::F4));
}

TEST_F(SdlPump, TerminationSignalEndsTheLoop) {
    ASSERT_TRUE(Frame());
    std::raise(SIGTERM);
    EXPECT_FALSE(Frame());
}

TEST(SdlPlatform, WindowIsTitledGameWithAFixedClientArea) {
    HeadlessScreen screen;
    SDL_Window* window = screen.settings.window;
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Game");
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE, 0u);
    SDL_RendererInfo info{};
    ASSERT_EQ(SDL_GetRendererInfo(screen.settings.device, &info), 0);
    EXPECT_EQ(info.flags & SDL_RENDERER_PRESENTVSYNC, 0u);
    EXPECT_NE(screen.settings.spriteBatch, nullptr);

    screen.platform().ReleaseDevice();
    EXPECT_EQ(screen.settings.window, nullptr);
    EXPECT_EQ(screen.settings.device, nullptr);
    EXPECT_EQ(screen.settings.spriteBatch, nullptr);
}

TEST(SdlPlatform, FailureToStartIsOneLineWithSdlsReason) {
    GameSettings settings;
    GameSettings* previous = Services::settings;
    Services::settings = &settings;
    ScopedEnv driver("SDL_VIDEODRIVER", "no-such-driver");
    auto platform = CreateSdlPlatform();
    try {
        platform->CreateWindowAndDevice();
        ADD_FAILURE() << "the window was created without a video driver";
    } catch (const std::exception& e) {
        const std::string line = DescribeFatalError(e);
        EXPECT_NE(line.find("cannot start SDL"), std::string::npos) << line;
        EXPECT_NE(line.find("no-such-driver"), std::string::npos) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos);
    }
    EXPECT_EQ(settings.window, nullptr);
    Services::settings = previous;
}

}  // namespace

namespace {

// Answers every close request as told, and counts them.
class ScriptedGuard : public CloseGuard {
public:
    bool ConfirmClose() override {
        ++asked;
        return answer;
    }
    bool answer = false;
    int asked = 0;
};

void PushWindowClose(SDL_Window* window) {
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(window);
    ASSERT_EQ(SDL_PushEvent(&close), 1);
    SDL_Event quit{};
    quit.type = SDL_QUIT;  // SDL sends both when the last window closes
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
}

}  // namespace

TEST(SdlClose, TheUserClosingAsksTheGameOnceAndARefusalKeepsItRunning) {
    TempContent content;
    Game game(std::make_unique<FakePlatform>());
    ScriptedGuard guard;
    game.SetCloseGuard(&guard);
    HeadlessScreen screen;
    PushWindowClose(screen.settings.window);
    EXPECT_TRUE(screen.platform().PumpMessages());
    EXPECT_EQ(guard.asked, 1);
    guard.answer = true;
    PushWindowClose(screen.settings.window);
    EXPECT_FALSE(screen.platform().PumpMessages());
    EXPECT_EQ(guard.asked, 2);
    game.SetCloseGuard(nullptr);
}

TEST(SdlClose, ASignalQuitsWithoutAsking) {
    TempContent content;
    Game game(std::make_unique<FakePlatform>());
    ScriptedGuard guard;
    game.SetCloseGuard(&guard);
    HeadlessScreen screen;
    std::raise(SIGINT);
    EXPECT_FALSE(screen.platform().PumpMessages());
    EXPECT_EQ(guard.asked, 0);
    game.SetCloseGuard(nullptr);
}

TEST(SdlClose, WithoutADisplayTheQuestionAnswersDiscardAtOnce) {
    HeadlessScreen screen;
    EXPECT_EQ(screen.platform().AskBeforeClosing("Save the changes?"), CloseChoice::Discard);
    screen.platform().SetWindowTitle("Game *");
    EXPECT_STREQ(SDL_GetWindowTitle(screen.settings.window), "Game *");
}
