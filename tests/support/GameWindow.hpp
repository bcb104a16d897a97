#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/Color.hpp"
#include "support/GameProcess.hpp"
#include "support/TempContent.hpp"

// An RGB picture: a capture of the game's window or a PNG file.
struct Picture {
    int width = 0, height = 0;
    std::vector<Color> pixels;
    Color At(int x, int y) const { return pixels[size_t(y * width + x)]; }
    static Picture Load(const std::string& png);  // throws naming the file when it cannot
};

// Each channel of `a` within `tolerance` of `b`.
bool CloseTo(Color a, Color b, int tolerance = 3);
// `over` blended by its alpha onto the opaque `under`, as the sprite batch draws it.
Color BlendOver(Color over, Color under);
// Polls `done` every 20 ms until it holds or 30 seconds pass.
bool WaitUntil(const std::function<bool()>& done);

// The real game in a real window on a private X server (Xvfb), in a fresh folder holding a copy
// of the shipped content, driven through xdotool as a person would. Game, server and folder
// go with the object, also when a test fails half-way.
class GameWindow {
public:
    GameWindow();  // throws when Xvfb does not start
    ~GameWindow();
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // Starts the game and waits for its window, which gets the keyboard; throws when none appears.
    // `environment` ("NAME=value") goes over the defaults (no sound, through the dummy driver).
    void Launch(const std::vector<std::string>& environment = {});
    GameProcess& game() { return *game_; }
    const TempContent& folder() const { return folder_; }
    const std::string& window() const { return window_; }

    // Runs a shell command against our server; gives its output, throws when it fails.
    std::string X(const std::string& command) const;
    // Holds the keys (xdotool names, "ctrl+s" for a chord) long enough for a frame to see them.
    void Hold(const std::string& keys, double seconds = 0.1) const;
    // Presses a mouse button (1 left, 3 right) over the first back-buffer point, moves the
    // pointer over the others, and lets go.
    void Drag(int button, const std::vector<std::pair<int, int>>& points) const;
    // What a window manager's close box sends.
    void RequestClose();
    // The window's title, with its line end.
    std::string Title() const;
    // Captures the window's 800 x 600 pixels until `shows` holds or 30 seconds pass; the
    // last capture is left in `last`.
    bool WaitForScreen(const std::function<bool(const Picture&)>& shows, Picture& last);

private:
    int xvfb_ = -1;
    std::string display_;
    TempContent folder_;
    struct Connection;
    std::unique_ptr<Connection> x_;
    std::unique_ptr<GameProcess> game_;
    std::string window_;
};
