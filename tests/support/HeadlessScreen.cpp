#include "support/HeadlessScreen.hpp"

#include <SDL.h>

#include <cstdlib>
#include <stdexcept>

#include "core/Services.hpp"
#include "platform/SdlPlatform.hpp"

HeadlessScreen::HeadlessScreen(const char* videoDriver) {
    Services::settings = &settings;
    Services::input = &input;
    Services::root = &root;
    ScopedEnv driver("SDL_VIDEODRIVER", videoDriver);  // run from a terminal, it would open windows
    platform_ = CreateSdlPlatform();
    platform_->CreateWindowAndDevice();
}

HeadlessScreen::~HeadlessScreen() {
    platform_->ReleaseDevice();
    platform_.reset();
    Services::settings = nullptr;
    Services::input = nullptr;
    Services::root = nullptr;
}

Color HeadlessScreen::Pixel(int x, int y) const {
    const SDL_Rect one{x, y, 1, 1};
    uint32_t argb = 0;
    if (SDL_RenderReadPixels(settings.device, &one, SDL_PIXELFORMAT_ARGB8888, &argb, 4) != 0) {
        throw std::runtime_error(std::string("cannot read back the frame: ") + SDL_GetError());
    }
    return Color{uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb), uint8_t(argb >> 24)};
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name), had_(std::getenv(name)) {
    if (had_) previous_ = std::getenv(name);
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (had_) {
        setenv(name_.c_str(), previous_.c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}
