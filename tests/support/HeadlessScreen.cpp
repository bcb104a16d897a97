#include "support/HeadlessScreen.hpp"

#include <cstdlib>
#include <stdexcept>

#include <SDL.h>

#include "core/SdlPlatform.hpp"
#include "core/Services.hpp"

HeadlessScreen::HeadlessScreen(const char* videoDriver)
    : previousSettings_(Services::settings), previousInput_(Services::input), previousRoot_(Services::root) {
    Services::settings = &settings;
    Services::input = &input;
    Services::root = &root;
    // A test run straight from a terminal would otherwise open real windows.
    ScopedEnv driver("SDL_VIDEODRIVER", videoDriver);
    platform_ = CreateSdlPlatform();
    platform_->CreateWindowAndDevice();
}

HeadlessScreen::~HeadlessScreen() {
    platform_->ReleaseDevice();
    platform_.reset();
    Services::settings = previousSettings_;
    Services::input = previousInput_;
    Services::root = previousRoot_;
}

Color HeadlessScreen::Pixel(int x, int y) const {
    const SDL_Rect one{x, y, 1, 1};
    uint32_t argb = 0;
    if (SDL_RenderReadPixels(settings.device, &one, SDL_PIXELFORMAT_ARGB8888, &argb, 4) != 0) {
        throw std::runtime_error(std::string("cannot read back the frame: ") + SDL_GetError());
    }
    return Color{uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb), uint8_t(argb >> 24)};
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) previous_ = old;
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (had_) {
        setenv(name_.c_str(), previous_.c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}
