#include "support/GameWindow.hpp"

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace {

constexpr int backBufferWidth = 800;
constexpr int backBufferHeight = 600;

bool Installed(const char* program) {
    return std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0;
}

int ShellValue(const std::string& shell, const std::string& name) {
    const auto at = shell.find("\n" + name + "=");
    if (at == std::string::npos) throw std::runtime_error("no " + name + " in " + shell);
    return std::stoi(shell.substr(at + name.size() + 2));
}

}  // namespace

std::string GameWindow::MissingTool() {
    for (const char* program : {"Xvfb", "xdotool"}) {
        if (!Installed(program)) return program;
    }
    return "";
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

GameWindow::GameWindow() : client_(xvfb_.display()) { folder_.CopyFromSource("Content", "Content"); }

GameWindow::~GameWindow() { process_.reset(); }  // the game goes before its server

void GameWindow::Launch() {
    process_.reset();
    windowId_.clear();
    process_ = std::make_unique<GameProcess>(
        folder_.path().string(),
        std::vector<std::string>{"DISPLAY=" + display(), "SDL_AUDIODRIVER=dummy", "SDL_VIDEODRIVER=x11"});
    // The window exists before its first frame is drawn; callers wait for the picture they expect.
    const std::string found = RunX("timeout 10 xdotool search --sync --onlyvisible --name '^Game$' | head -n 1");
    windowId_ = found.substr(0, found.find('\n'));
    if (windowId_.empty()) throw std::runtime_error("the game window did not appear: " + process_->StandardError());
    RunX("xdotool windowfocus --sync " + windowId_);
    const std::string geometry = "\n" + RunX("xdotool getwindowgeometry --shell " + windowId_);
    windowX_ = ShellValue(geometry, "X");
    windowY_ = ShellValue(geometry, "Y");
}

bool GameWindow::WaitForExit(std::chrono::milliseconds timeout) { return process_->WaitForExit(timeout); }

std::string GameWindow::RunX(const std::string& command) const {
    return RunCommand("DISPLAY=" + display() + " " + command);
}

void GameWindow::Hold(const std::string& keys, int milliseconds) const {
    // One xdotool run, so that its own start-up does not lengthen the press.
    RunX("xdotool keydown " + keys + " sleep " + std::to_string(milliseconds / 1000.0) + " keyup " + keys);
}

void GameWindow::KeyDown(const std::string& keys) const { RunX("xdotool keydown " + keys); }
void GameWindow::KeyUp(const std::string& keys) const { RunX("xdotool keyup " + keys); }

void GameWindow::MoveMouse(int x, int y) const {
    RunX("xdotool mousemove --window " + windowId_ + " " + std::to_string(x) + " " + std::to_string(y));
}

void GameWindow::MouseDown(int button) const { RunX("xdotool mousedown " + std::to_string(button)); }
void GameWindow::MouseUp(int button) const { RunX("xdotool mouseup " + std::to_string(button)); }

void GameWindow::RequestClose() { client_.RequestClose(std::stoul(windowId_)); }

ScreenPicture GameWindow::Capture() {
    return client_.Capture(windowX_, windowY_, backBufferWidth, backBufferHeight);
}

bool GameWindow::WaitForScreen(const std::function<bool(const ScreenPicture&)>& test, ScreenPicture& last,
                               std::chrono::milliseconds timeout) {
    return WaitUntil(
        [&] {
            last = Capture();
            return test(last);
        },
        timeout);
}
