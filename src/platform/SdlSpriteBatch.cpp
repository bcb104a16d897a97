#include "platform/SdlSpriteBatch.hpp"

#include <SDL.h>

#include "graphics/Texture.hpp"

namespace {

// One draw as the renderer takes it: a rectangle of texels onto a rectangle of the target.
struct SdlDraw {
    SDL_Texture* texture = nullptr;
    SDL_Rect source{};
    SDL_FRect target{};
    Color color;
    int flip = 0;  // SDL_RendererFlip bits
};

// Draws one draw alpha-blended, tinted by its colour.
void DrawNow(SDL_Renderer* renderer, const SdlDraw& draw) {
    SDL_SetTextureBlendMode(draw.texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureColorMod(draw.texture, draw.color.r, draw.color.g, draw.color.b);
    SDL_SetTextureAlphaMod(draw.texture, draw.color.a);
    if (draw.flip == SDL_FLIP_NONE) {
        SDL_RenderCopyF(renderer, draw.texture, &draw.source, &draw.target);
    } else {
        SDL_RenderCopyExF(renderer, draw.texture, &draw.source, &draw.target, 0.0, nullptr,
                          SDL_RendererFlip(draw.flip));
    }
}

}  // namespace

void SdlSpriteBatch::Begin() { transform_ = SpriteTransform{}; }

void SdlSpriteBatch::SetTransform(const SpriteTransform& transform) { transform_ = transform; }

void SdlSpriteBatch::Draw(const Texture& texture, const SourceRect& source, const Vector2* centre,
                          Vector2 position, Color color) {
    SdlDraw draw;
    draw.texture = texture.deviceTexture;
    const int32_t w = source.right - source.left, h = source.bottom - source.top;
    if (!draw.texture || w <= 0 || h <= 0) return;

    // The centre texel lands on the position, then the transform scales and moves the result.
    const Vector2 pivot = centre ? *centre : Vector2();
    const Vector2 topLeft = position - pivot;
    draw.target = {topLeft.x * transform_.scaleX + transform_.translateX,
                   topLeft.y * transform_.scaleY + transform_.translateY,
                   float(w) * transform_.scaleX, float(h) * transform_.scaleY};
    // A negative scale mirrors the picture, as a scaling matrix would.
    if (draw.target.w < 0) {
        draw.target.x += draw.target.w;
        draw.target.w = -draw.target.w;
        draw.flip |= SDL_FLIP_HORIZONTAL;
    }
    if (draw.target.h < 0) {
        draw.target.y += draw.target.h;
        draw.target.h = -draw.target.h;
        draw.flip |= SDL_FLIP_VERTICAL;
    }
    draw.source = {source.left, source.top, w, h};
    draw.color = color;
    DrawNow(renderer_, draw);
}

void SdlSpriteBatch::End() {}
