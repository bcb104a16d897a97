#pragma once

struct SDL_Texture;

// A picture on the device with its size in texels (powers of two, see LoadTextureFromFile).
class Texture {
public:
    Texture(SDL_Texture* deviceTexture, float width, float height);
    virtual ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    SDL_Texture* deviceTexture = nullptr;  // owned; null for a texture made without a device
    float width = 0.0f;
    float height = 0.0f;
};
