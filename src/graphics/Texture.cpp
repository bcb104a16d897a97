#include "graphics/Texture.hpp"

#include <SDL.h>

Texture::Texture(SDL_Texture* deviceTexture_, float width_, float height_)
    : deviceTexture(deviceTexture_), width(width_), height(height_) {}

Texture::~Texture() {
    if (deviceTexture) SDL_DestroyTexture(deviceTexture);
}
