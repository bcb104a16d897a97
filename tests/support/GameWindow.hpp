#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "support/GameProcess.hpp"
#include "support/ScreenPicture.hpp"
#include "support/TempContent.hpp"
#include "support/XDisplayClient.hpp"
#include "support/XvfbServer.hpp"

// The real game in a real window on a private X server, with the shipped content copied into a
// fresh working folder, driven through xdotool as a person would drive it. Game, folder and
// server all go when the object goes, also when a test fails half-way.
class GameWindow {
public:
    // Empty when the programs the tests need are installed, otherwise the missing one's name.
    static std::string MissingTool();

    GameWindow();  // starts the server and fills the folder; the game is not started yet
    ~GameWindow();
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // Starts the game, waits for its window and gives it the keyboard; throws when no window
    // appears in time.
    void Launch();
    // Waits for the game to end; false when it did not in time (it is then killed).
    bool WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(5));

    TempContent& folder() { return folder_; }
    GameProcess& process() { return *process_; }
    const std::string& display() const { return xvfb_.display(); }
    const std::string& windowId() const { return windowId_; }

    // Runs an X command line (xdotool ...) against our server; throws when it fails.
    std::string RunX(const std::string& command) const;
    // Presses the keys (xdotool names, "ctrl+s" for a chord) for `milliseconds`: long enough
    // for a frame to see them, since a press shorter than a frame leaves no trace.
    void Hold(const std::string& keys, int milliseconds = 100) const;
    void KeyDown(const std::string& keys) const;
    void KeyUp(const std::string& keys) const;
    // Pointer over the back-buffer pixel (x, y); xdotool button numbers (1 left, 3 right).
    void MoveMouse(int x, int y) const;
    void MouseDown(int button) const;
    void MouseUp(int button) const;
    // The close box of a window manager.
    void RequestClose();

    // The back buffer as the screen shows it now (800 × 600, window-relative).
    ScreenPicture Capture();
    // Captures until `test` holds or `timeout` passes; the last capture is left in `last`.
    bool WaitForScreen(const std::function<bool(const ScreenPicture&)>& test, ScreenPicture& last,
                       std::chrono::milliseconds timeout = std::chrono::seconds(5));

private:
    XvfbServer xvfb_;
    TempContent folder_;
    XDisplayClient client_;
    std::unique_ptr<GameProcess> process_;
    std::string windowId_;
    int windowX_ = 0;
    int windowY_ = 0;
};

// Polls `done` every 20 ms until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(5));
