// The SDL platform in a real X window, driven with synthetic keyboard and mouse input.
#include <chrono>
#include <functional>

#include <SDL.h>
#include <gtest/gtest.h>

#include "graphics/TextureManager.hpp"
#include "scene/Component.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"
#include "support/TestPictures.hpp"
#include "support/XvfbServer.hpp"

namespace {

// Runs frames as the loop does (begin, pump, draw) until `done` holds; false after 5 s.
bool FramesUntil(HeadlessScreen& screen, const std::function<bool()>& done, bool* quit = nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        screen.input.BeginFrame();
        const bool running = screen.platform().PumpMessages();
        if (quit) *quit = !running;
        screen.platform().RenderFrame();
        if (done()) return true;
        SDL_Delay(10);
    }
    return false;
}

// The colour on the X screen at (x, y), as "#RRGGBB".
std::string ScreenColour(int x, int y) {
    const std::string text = RunCommand("import -window root -crop 1x1+" + std::to_string(x) + "+" +
                                        std::to_string(y) + " -depth 8 txt:- 2>/dev/null");
    const auto hash = text.rfind('#');
    return hash == std::string::npos ? text : text.substr(hash, 7);
}

int ShellValue(const std::string& shell, const std::string& name) {
    const auto at = shell.find(name + "=");
    if (at == std::string::npos) throw std::runtime_error("no " + name + " in " + shell);
    return std::stoi(shell.substr(at + name.size() + 1));
}

TEST(SdlWindow, RealKeysAndMouseArriveAsGameInput) {
    if (!XvfbServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
    XvfbServer xvfb;
    ScopedEnv display("DISPLAY", xvfb.display());
    TempContent folder;
    HeadlessScreen screen("x11");
    screen.settings.clearColor = Color{0, 0, 255, 255};

    // A 16 × 16 red square centred on (300, 200) of the back buffer.
    WritePng("square.png", 16, 16, Color{255, 0, 0, 255});
    auto texture = LoadTextureFromFile("square.png");
    ASSERT_NE(texture, nullptr);
    GameObject& square = *screen.root.AddChild(new GameObject);
    square.AddComponent(new Pos2dComponent)->position = Vector2(300, 200);
    auto* sprite = square.AddComponent(new SpriteComponent);
    sprite->texture = texture.get();
    sprite->size = Vector2(16, 16);

    ASSERT_TRUE(FramesUntil(screen, [] { return true; }));
    const std::string window = RunCommand("timeout 5 xdotool search --sync --name '^Game$' | head -n 1");
    const std::string wid = window.substr(0, window.find('\n'));
    ASSERT_FALSE(wid.empty());
    RunCommand("timeout 5 xdotool windowfocus --sync " + wid);

    InputManager& input = screen.input;
    const std::pair<const char*, Key> keys[] = {
        {"a", Key::A},           {"Shift_R", Key::Shift}, {"KP_Enter", Key::OemEnter},
        {"Delete", Key::Delete}, {"F5", Key::F5},         {"5", Key::D5},
        {"Up", Key::Up},         {"Control_L", Key::Ctrl}, {"KP_Home", Key::Keypad7},
    };
    for (const auto& [name, key] : keys) {
        RunCommand(std::string("xdotool keydown ") + name);
        EXPECT_TRUE(FramesUntil(screen, [&, key = key] { return input.IsKeyDown(key); })) << name;
        KeySet only;
        only.set(size_t(key));
        EXPECT_EQ(input.keys, only) << name;
        RunCommand(std::string("xdotool keyup ") + name);
        EXPECT_TRUE(FramesUntil(screen, [&, key = key] { return !input.IsKeyDown(key); })) << name;
    }

    // The pointer over the square's centre reads as that back-buffer pixel, and the screen
    // shows the square's colour under it: window and back buffer map 1:1.
    RunCommand("xdotool mousemove --window " + wid + " 300 200");
    ASSERT_TRUE(FramesUntil(screen, [&] { return input.mousePosition == Vector2(300, 200); }))
        << input.mousePosition.x << ", " << input.mousePosition.y;
    const std::string pointer = RunCommand("xdotool getmouselocation --shell");
    const int x = ShellValue(pointer, "X"), y = ShellValue(pointer, "Y");
    EXPECT_EQ(ScreenColour(x, y), "#FF0000");
    EXPECT_EQ(ScreenColour(x - 8, y - 8), "#FF0000");  // the square's top-left pixel
    EXPECT_EQ(ScreenColour(x - 9, y), "#0000FF");
    EXPECT_EQ(ScreenColour(x + 8, y), "#0000FF");

    // A click shorter than a frame still shows as down for one frame.
    RunCommand("xdotool click 1");
    EXPECT_TRUE(FramesUntil(screen, [&] { return input.IsKeyPressed(Key::LeftMouse); }));
    EXPECT_TRUE(FramesUntil(screen, [&] { return !input.IsKeyDown(Key::LeftMouse); }));
    RunCommand("xdotool mousemove --window " + wid + " 17 523 click 3");
    EXPECT_TRUE(FramesUntil(screen, [&] { return input.IsKeyPressed(Key::RightMouse); }));
    EXPECT_EQ(input.mousePosition, Vector2(17, 523));

    bool quit = false;
    RunCommand("xdotool key alt+F4");
    EXPECT_TRUE(FramesUntil(screen, [&] { return quit; }, &quit));
    texture.reset();
}

}  // namespace
