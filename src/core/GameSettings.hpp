#pragma once

#include <cstdint>

#include "core/Color.hpp"

struct SDL_Window;
struct SDL_Renderer;
class SpriteBatch;

struct GameSettings {
    int32_t screenWidth = 800;   // back-buffer pixels, also the window's client width
    int32_t screenHeight = 600;
    int32_t maxUpdatesPerFrame = 5;
    int32_t updatesPerSecond = 60;
    Color clearColor{0, 0, 0, 0};

    // Platform handles, filled and used by the platform layer only (textures use the device).
    SDL_Window* window = nullptr;
    SDL_Renderer* device = nullptr;
    SpriteBatch* spriteBatch = nullptr;

    virtual ~GameSettings() = default;
};
