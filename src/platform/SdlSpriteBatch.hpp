#pragma once

#include <vector>

#include <SDL_rect.h>

#include "core/SpriteBatch.hpp"

struct SDL_Renderer;
struct SDL_Texture;

// One draw as the renderer takes it: a rectangle of texels onto a rectangle of the target.
struct SdlDraw {
    SDL_Texture* texture = nullptr;
    SDL_Rect source{};
    SDL_FRect target{};
    Color color;
    int flip = 0;  // SDL_RendererFlip bits
};

// True when both draws put the same texels at the same place with the same tint.
bool SameDraw(const SdlDraw& a, const SdlDraw& b);

// Draws one draw alpha-blended, tinted by its colour.
void DrawNow(SDL_Renderer* renderer, const SdlDraw& draw);

// The sprite batch on an SDL renderer. Each draw goes to the renderer at once, so sprites are
// drawn in call order, alpha-blended and tinted per draw. Positions stay in floats all the way
// to the renderer so that scaled sprites do not drift by rounding.
class SdlSpriteBatch : public SpriteBatch {
public:
    explicit SdlSpriteBatch(SDL_Renderer* renderer) : renderer_(renderer) {}

    // While a list is set, draws are appended to it instead of drawn; null draws again.
    void RecordInto(std::vector<SdlDraw>* list) { record_ = list; }

    // Starts a batch with the identity transform.
    void Begin() override;
    void SetTransform(const SpriteTransform& transform) override;
    void Draw(const Texture& texture, const SourceRect& source, const Vector2* centre,
              Vector2 position, Color color) override;
    void End() override;

private:
    SDL_Renderer* renderer_;  // not owned
    std::vector<SdlDraw>* record_ = nullptr;  // not owned
    SpriteTransform transform_;
};
