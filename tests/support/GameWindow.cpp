#include "support/GameWindow.hpp"

#include <SDL_image.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/SdlHandles.hpp"

struct GameWindow::Connection {
    Display* display;
    ~Connection() { XCloseDisplay(display); }
};

Picture Picture::Load(const std::string& png) {
    SurfacePtr loaded(IMG_Load(png.c_str()));
    if (loaded) loaded.reset(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!loaded) throw std::runtime_error(png + ": " + IMG_GetError());
    Picture picture{loaded->w, loaded->h, {}};
    for (int y = 0; y < picture.height; ++y) {
        const auto* p = static_cast<const uint8_t*>(loaded->pixels) + y * loaded->pitch;
        for (int x = 0; x < picture.width; ++x, p += 4)
            picture.pixels.push_back(Color{p[0], p[1], p[2], p[3]});
    }
    return picture;
}

bool CloseTo(Color a, Color b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

Color BlendOver(Color over, Color under) {
    const auto mix = [&](int top, int bottom) {
        return uint8_t((top * over.a + bottom * (255 - over.a) + 127) / 255);
    };
    return Color{mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b), 255};
}

bool WaitUntil(const std::function<bool()>& done) {
    // Generous: a loaded machine must not fail a test that only waits longer.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;; std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
    }
}

GameWindow::GameWindow() {
    // Xvfb picks a free display and writes its number to the pipe once clients can connect;
    // -noreset keeps it from resetting when its last client leaves.
    int ready[2];
    if (pipe(ready) != 0) throw std::runtime_error("no pipe");
    xvfb_ = fork();
    if (xvfb_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // a test killed half-way takes its server along
        execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(ready[1]).c_str(), "-noreset", "-nolisten", "tcp",
               "-screen", "0", "1024x768x24",
               // Keys held until their effect shows must not repeat meanwhile.
               "-ardelay", "60000", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    display_ = ":";
    for (char c; read(ready[0], &c, 1) == 1 && c != '\n';) display_ += c;
    close(ready[0]);
    Display* display = XOpenDisplay(display_.c_str());
    if (!display) throw std::runtime_error("Xvfb did not start");
    x_.reset(new Connection{display});
    // A capture of a window that is gone fails as a test, not as the default handler's exit.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    folder_.CopyFromSource("Content", "Content");
}

GameWindow::~GameWindow() {
    game_.reset();  // the game goes before its server
    x_.reset();
    kill(xvfb_, SIGTERM);
    waitpid(xvfb_, nullptr, 0);
}

std::string GameWindow::X(const std::string& command) const {
    FILE* pipe = popen(("DISPLAY=" + display_ + " " + command).c_str(), "r");
    std::string output;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    if (pclose(pipe) != 0) throw std::runtime_error(command + " failed: " + output);
    return output;
}

void GameWindow::Launch(const std::vector<std::string>& environment) {
    std::vector<std::string> variables{"DISPLAY=" + display_, "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy"};
    variables.insert(variables.end(), environment.begin(), environment.end());
    game_ = std::make_unique<GameProcess>(folder_.path().string(), variables);
    window_ = X("timeout 10 xdotool search --sync --onlyvisible --name '^Game( [*])?$' | head -n 1");
    window_ = window_.substr(0, window_.find('\n'));
    if (window_.empty()) throw std::runtime_error("no game window: " + game_->StandardError());
    // A window manager may still be taking the new window in: then the focus is tried again.
    const bool focused = WaitUntil([&] {
        try {
            X("xdotool windowfocus --sync " + window_);
            return true;
        } catch (const std::runtime_error&) {
            return false;
        }
    });
    if (!focused) throw std::runtime_error("the game window takes no focus");
}

// One xdotool run, so that its own start-up does not shorten or lengthen what it times.
void GameWindow::Hold(const std::string& keys, double seconds) const {
    X("xdotool keydown " + keys + " sleep " + std::to_string(seconds) + " keyup " + keys);
}

void GameWindow::Drag(int button, const std::vector<std::pair<int, int>>& points) const {
    std::string command = "xdotool";
    for (size_t i = 0; i < points.size(); ++i) {
        command += " mousemove --window " + window_ + " " + std::to_string(points[i].first) + " " +
                   std::to_string(points[i].second) + " sleep 0.05";
        if (i == 0) command += " mousedown " + std::to_string(button) + " sleep 0.1";
    }
    X(command + " mouseup " + std::to_string(button));
}

void GameWindow::RequestClose() {
    // The client message a window manager sends; the event goes to the client that made the window.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = std::stoul(window_);
    event.xclient.message_type = XInternAtom(x_->display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(x_->display, "WM_DELETE_WINDOW", False));
    XSendEvent(x_->display, event.xclient.window, False, NoEventMask, &event);
    XSync(x_->display, False);
}

std::string GameWindow::Title() const { return X("xdotool getwindowname " + window_); }

bool GameWindow::WaitForScreen(const std::function<bool(const Picture&)>& shows, Picture& last) {
    return WaitUntil([&] {
        XImage* image = XGetImage(x_->display, std::stoul(window_), 0, 0, 800, 600, AllPlanes, ZPixmap);
        if (!image) return false;
        last = Picture{800, 600, {}};
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                const unsigned long p = XGetPixel(image, x, y);  // a 24-bit true-colour screen
                last.pixels.push_back(Color{uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), 255});
            }
        }
        XDestroyImage(image);
        return shows(last);
    });
}
