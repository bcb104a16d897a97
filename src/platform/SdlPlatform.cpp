#include "platform/SdlPlatform.hpp"

#include <csignal>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

#include <SDL.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "core/GameHost.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "input/InputManager.hpp"
#include "input/Key.hpp"
#include "platform/FrameTimer.hpp"
#include "platform/LayeredFrameRenderer.hpp"
#include "platform/SdlController.hpp"
#include "platform/SdlFullscreen.hpp"
#include "platform/SdlHandles.hpp"
#include "platform/SdlMouse.hpp"
#include "platform/VirtualKeys.hpp"

namespace {

#ifdef __EMSCRIPTEN__
// The page keeps its own name (web/pre.js notes it); the window title's unsaved mark is added.
EM_JS(void, ShowTitleOnPage, (const char* title), {
    document.title = Module.pageTitle + (UTF8ToString(title).endsWith(" *") ? " *" : "");
});
#endif

// Set by SIGINT and SIGTERM. A signal ends the game without asking anything: nobody may be
// there to answer, and the game must not block.
volatile std::sig_atomic_t signalled = 0;

extern "C" void OnTerminationSignal(int) { signalled = 1; }

// A GL that rasterises on the CPU (Mesa's llvmpipe where there is no GPU, as under Xvfb) shades
// a whole frame for every present; SDL's own software renderer can present what changed alone.
bool RasterisesInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(0x1F01) : nullptr;  // GL_RENDERER
    if (!name) return false;
    const char* text = reinterpret_cast<const char*>(name);
    return std::strstr(text, "llvmpipe") || std::strstr(text, "softpipe") || std::strstr(text, "Software");
}

class SdlPlatform final : public Platform {
public:
    explicit SdlPlatform(const SdlPlatformOptions& options) : options_(options) {}
    // The handles go without touching GameSettings, which may be gone by then.
    ~SdlPlatform() override { ReleaseHandles(); }

    void CreateWindowAndDevice() override;
    bool PumpMessages() override;
    void RenderFrame(const FrameDraws& frame) override;
    bool WindowShown() override;
    bool TakeRedrawRequest() override {
        wholeFrame_ = wholeFrame_ || redraw_;
        return std::exchange(redraw_, false);
    }
    bool TakeFocusGained() override { return std::exchange(focusGained_, false); }
    int64_t NowTicks() override { return timer_.Now(); }
    int64_t CounterFrequency() override { return timer_.Frequency(); }
    void SleepTicks(int64_t ticks) override { timer_.Sleep(ticks); }
    void ReleaseDevice() override;
    void SetWindowTitle(const std::string& title) override;
    bool IsFullscreen() override;
    void SetFullscreen(bool fullscreen) override;

private:
    void HandleEvent(const SDL_Event& event);
    void HandleWindowEvent(Uint8 what);
    void HandleKey(const SDL_KeyboardEvent& event);
    void ReleaseHandles();

    SdlPlatformOptions options_;
    FrameTimer timer_;
    std::unique_ptr<SdlSubsystem> video_;
    WindowPtr window_;
    RendererPtr renderer_;
    std::unique_ptr<LayeredFrameRenderer> frame_;
    SdlMouse mouse_;
    std::unique_ptr<SdlController> controller_;
    bool quit_ = false;
    bool closeRequested_ = false;  // the user asked to close during this pump
    bool redraw_ = false;          // the window system lost or rescaled the picture
    bool focusGained_ = false;
    bool wholeFrame_ = true;       // the window may not show the frame presented last
    bool surfacePresents_ = false; // the renderer draws into the window surface itself
    std::vector<SDL_Rect> changed_;
};

void SdlPlatform::CreateWindowAndDevice() {
    GameSettings* settings = Services::settings;
    if (!settings) throw std::logic_error("the window needs the game settings");
    // Our own signal handlers, so that a signal can be told from the user closing the window.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    signalled = 0;
    std::signal(SIGINT, OnTerminationSignal);
    std::signal(SIGTERM, OnTerminationSignal);
    video_ = std::make_unique<SdlSubsystem>(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER);

    // The client area is the back buffer's size, so one back-buffer pixel is one screen pixel.
    const Uint32 flags = SDL_WINDOW_SHOWN | (options_.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window_.reset(SdlCheck(SDL_CreateWindow("Game", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                            settings->screenWidth, settings->screenHeight, flags),
                           "cannot create the window"));
    // Presenting must not wait for the display.
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
    if (!renderer_ || RasterisesInSoftware(renderer_.get())) {
        renderer_.reset();
        // Straight into the window's own pixels, which stay as drawn between presents, so that
        // a frame can update only what changed. SDL would otherwise put a GL texture between.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
    }
    if (!renderer_) {  // a video driver that gives a window no pixels of its own
        SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
        renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
    }
    SDL_Renderer* renderer = SdlCheck(renderer_.get(), "cannot create the renderer");
    SDL_RendererInfo info{};
    surfacePresents_ = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
    changed_.reserve(64);
    // The software renderer reports vsync whatever the hint says; ask once more.
    SDL_RenderSetVSync(renderer, 0);
    // Should the window end up another size, the frame keeps its aspect and the mouse events
    // are mapped back to back-buffer pixels.
    SDL_RenderSetLogicalSize(renderer, settings->screenWidth, settings->screenHeight);
    frame_ = std::make_unique<LayeredFrameRenderer>(renderer);
#ifdef __EMSCRIPTEN__
    ShowTitleOnPage("");
    // The game reads no text; with text events off SDL keeps the browser's own keys (Ctrl+S saves
    // the page, arrows scroll it) from acting on the page.
    SDL_EventState(SDL_TEXTINPUT, SDL_DISABLE);
#endif

    controller_ = std::make_unique<SdlController>();
    controller_->Start();

    settings->window = window_.get();
    settings->device = renderer_.get();
    settings->spriteBatch = &frame_->batch();
}

bool SdlPlatform::PumpMessages() {
    // The mouse state comes from the pending events themselves, so they are taken first and
    // the poll then reports what they left; keys and buttons are separate bits, so this gives
    // the same key set as polling first.
    SDL_Event event;
    closeRequested_ = false;
    while (SDL_PollEvent(&event)) HandleEvent(event);
    // A close box, Alt+F4 and the quit event may all come in one pump: ask once.
    if (signalled) {
        quit_ = true;
    } else if (closeRequested_ && !quit_) {
        quit_ = !Services::game || Services::game->ConfirmClose();
    }
    if (InputManager* input = Services::input) {
        input->PollMouse(mouse_.position(), mouse_.IsDown(SDL_BUTTON_LEFT),
                         mouse_.IsDown(SDL_BUTTON_MIDDLE), mouse_.IsDown(SDL_BUTTON_RIGHT));
    }
    mouse_.Polled();
    return !quit_;
}

void SdlPlatform::HandleEvent(const SDL_Event& event) {
    if (controller_ && Services::input) controller_->Handle(event, *Services::input);
    switch (event.type) {
    case SDL_QUIT:  // the last window closed, or a program asking us to quit
        closeRequested_ = true;
        break;
    case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window.event);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        HandleKey(event.key);
        break;
    case SDL_RENDER_TARGETS_RESET:  // the kept layer's pixels are gone
    case SDL_RENDER_DEVICE_RESET:
        if (frame_) frame_->Invalidate();
        redraw_ = true;
        break;
    default:
        mouse_.Handle(event);
        break;
    }
}

void SdlPlatform::HandleWindowEvent(Uint8 what) {
    switch (what) {
    case SDL_WINDOWEVENT_CLOSE:
        closeRequested_ = true;
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        focusGained_ = true;
        break;
    // The window shows nothing it can keep: what was covered, a new size, a window back from
    // being minimised or hidden.
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_SHOWN:
        redraw_ = true;
        break;
    default:
        break;
    }
}

void SdlPlatform::HandleKey(const SDL_KeyboardEvent& event) {
    const bool down = event.state == SDL_PRESSED;
    // The window's own keys; held down they repeat, which must not flip the window back and forth.
    if (down && IsFullscreenToggle(event.keysym)) {
        if (!event.repeat && window_) {
            ToggleFullscreen(window_.get());
            redraw_ = true;
        }
        return;
    }
    if (const uint32_t virtualKey = VirtualKeyFromSdl(event.keysym)) {
        if (InputManager* input = Services::input) input->SetKey(TranslateVirtualKey(virtualKey), down);
    }
    // Alt+F4 closes the window even where no window manager takes it; the key still counts.
    if (down && event.keysym.scancode == SDL_SCANCODE_F4 && (event.keysym.mod & KMOD_ALT)) closeRequested_ = true;
}

void SdlPlatform::RenderFrame(const FrameDraws& frame) {
    if (!renderer_) return;
    if (surfacePresents_ && !wholeFrame_ && frame_->DrawChanged(frame, changed_)) {
        SDL_RenderFlush(renderer_.get());
        SDL_UpdateWindowSurfaceRects(window_.get(), changed_.data(), int(changed_.size()));
        return;
    }
    wholeFrame_ = false;
    frame_->Draw(frame);
    SDL_RenderPresent(renderer_.get());
}

bool SdlPlatform::WindowShown() {
    return window_ && (SDL_GetWindowFlags(window_.get()) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
}

void SdlPlatform::SetWindowTitle(const std::string& title) {
#ifdef __EMSCRIPTEN__
    return ShowTitleOnPage(title.c_str());
#endif
    if (window_) SDL_SetWindowTitle(window_.get(), title.c_str());
}

bool SdlPlatform::IsFullscreen() {
    if (!window_) return options_.fullscreen;
    return (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void SdlPlatform::SetFullscreen(bool fullscreen) {
    // Before the window exists it is made so: no windowed frame flashes first.
    if (!window_) options_.fullscreen = fullscreen;
    else if (fullscreen != IsFullscreen()) ToggleFullscreen(window_.get());
}

void SdlPlatform::ReleaseDevice() {
    if (GameSettings* settings = Services::settings; settings && settings->device == renderer_.get()) {
        settings->spriteBatch = nullptr;
        settings->device = nullptr;
        settings->window = nullptr;
    }
    ReleaseHandles();
}

void SdlPlatform::ReleaseHandles() {
    controller_.reset();
    frame_.reset();
    renderer_.reset();
    window_.reset();
    video_.reset();
}

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform() { return CreateSdlPlatform(SdlPlatformOptions{}); }

std::unique_ptr<Platform> CreateSdlPlatform(const SdlPlatformOptions& options) {
    return std::make_unique<SdlPlatform>(options);
}
