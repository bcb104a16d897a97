#include "platform/SdlPlatform.hpp"

#include <csignal>
#include <stdexcept>

#include <SDL.h>

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

// Set by SIGINT and SIGTERM. A signal ends the game without asking anything: nobody may be
// there to answer, and the game must not block.
volatile std::sig_atomic_t signalled = 0;

extern "C" void OnTerminationSignal(int) { signalled = 1; }

class SdlPlatform final : public Platform {
public:
    explicit SdlPlatform(const SdlPlatformOptions& options) : options_(options) {}
    // The handles go without touching GameSettings, which may be gone by then.
    ~SdlPlatform() override { ReleaseHandles(); }

    void CreateWindowAndDevice() override;
    bool PumpMessages() override;
    void RenderFrame() override;
    int64_t NowTicks() override { return timer_.Now(); }
    int64_t CounterFrequency() override { return timer_.Frequency(); }
    void SleepTicks(int64_t ticks) override { timer_.Sleep(ticks); }
    void ReleaseDevice() override;
    void SetWindowTitle(const std::string& title) override;
    bool IsFullscreen() override;
    void SetFullscreen(bool fullscreen) override;

private:
    void HandleEvent(const SDL_Event& event);
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
    SDL_Renderer* renderer = SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) renderer = SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE);
    renderer_.reset(SdlCheck(renderer, "cannot create the renderer"));
    // The software renderer reports vsync whatever the hint says; ask once more.
    SDL_RenderSetVSync(renderer, 0);
    // Should the window end up another size, the frame keeps its aspect and the mouse events
    // are mapped back to back-buffer pixels.
    SDL_RenderSetLogicalSize(renderer, settings->screenWidth, settings->screenHeight);
    frame_ = std::make_unique<LayeredFrameRenderer>(renderer);

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
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) closeRequested_ = true;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        HandleKey(event.key);
        break;
    case SDL_RENDER_TARGETS_RESET:  // the kept layer's pixels are gone
    case SDL_RENDER_DEVICE_RESET:
        if (frame_) frame_->Invalidate();
        break;
    default:
        mouse_.Handle(event);
        break;
    }
}

void SdlPlatform::HandleKey(const SDL_KeyboardEvent& event) {
    const bool down = event.state == SDL_PRESSED;
    // The window's own keys; held down they repeat, which must not flip the window back and forth.
    if (down && IsFullscreenToggle(event.keysym)) {
        if (!event.repeat && window_) ToggleFullscreen(window_.get());
        return;
    }
    if (const uint32_t virtualKey = VirtualKeyFromSdl(event.keysym)) {
        if (InputManager* input = Services::input) input->SetKey(TranslateVirtualKey(virtualKey), down);
    }
    // Alt+F4 closes the window even where no window manager takes it; the key still counts.
    if (down && event.keysym.scancode == SDL_SCANCODE_F4 && (event.keysym.mod & KMOD_ALT)) closeRequested_ = true;
}

void SdlPlatform::RenderFrame() {
    if (!renderer_) return;
    frame_->Draw(Services::root, Services::settings->clearColor);
    SDL_RenderPresent(renderer_.get());
}

void SdlPlatform::SetWindowTitle(const std::string& title) {
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
