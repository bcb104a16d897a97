#pragma once

#include <memory>

#include "core/Platform.hpp"

// The real platform: an SDL window with a renderer, SDL's performance counter and sleeps.
std::unique_ptr<Platform> CreateSdlPlatform();
