#pragma once

#include "core/SpriteBatch.hpp"

struct SDL_Renderer;

// The sprite batch on an SDL renderer. Each draw goes to the renderer at once, so sprites are
// drawn in call order, alpha-blended and tinted per draw. Positions stay in floats all the way
// to the renderer so that scaled sprites do not drift by rounding.
class SdlSpriteBatch : public SpriteBatch {
public:
    explicit SdlSpriteBatch(SDL_Renderer* renderer) : renderer_(renderer) {}

    // Starts a batch with the identity transform.
    void Begin() override;
    void SetTransform(const SpriteTransform& transform) override;
    void Draw(const Texture& texture, const SourceRect& source, const Vector2* centre,
              Vector2 position, Color color) override;
    void End() override;

private:
    SDL_Renderer* renderer_;  // not owned
    SpriteTransform transform_;
};
