#pragma once

#include <memory>

#include "core/Platform.hpp"

// The real platform: an SDL window with a renderer, SDL's performance counter and sleeps.
std::unique_ptr<Platform> CreateSdlPlatform();

struct SdlPlatformOptions {
    bool fullscreen = false;  // the window starts as a borderless window over the whole desktop
};
std::unique_ptr<Platform> CreateSdlPlatform(const SdlPlatformOptions& options);
