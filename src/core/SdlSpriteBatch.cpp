#include "core/SdlSpriteBatch.hpp"

#include <SDL.h>

#include "graphics/Texture.hpp"

void SdlSpriteBatch::Begin() { transform_ = SpriteTransform{}; }

void SdlSpriteBatch::SetTransform(const SpriteTransform& transform) { transform_ = transform; }

void SdlSpriteBatch::Draw(const Texture& texture, const SourceRect& source, const Vector2* centre,
                          Vector2 position, Color color) {
    SDL_Texture* device = texture.deviceTexture;
    const int32_t w = source.right - source.left, h = source.bottom - source.top;
    if (!device || w <= 0 || h <= 0) return;

    // The centre texel lands on the position, then the transform scales and moves the result.
    const Vector2 pivot = centre ? *centre : Vector2();
    const Vector2 topLeft = position - pivot;
    SDL_FRect target{topLeft.x * transform_.scaleX + transform_.translateX,
                     topLeft.y * transform_.scaleY + transform_.translateY,
                     float(w) * transform_.scaleX, float(h) * transform_.scaleY};
    // A negative scale mirrors the picture, as a scaling matrix would.
    int flip = SDL_FLIP_NONE;
    if (target.w < 0) {
        target.x += target.w;
        target.w = -target.w;
        flip |= SDL_FLIP_HORIZONTAL;
    }
    if (target.h < 0) {
        target.y += target.h;
        target.h = -target.h;
        flip |= SDL_FLIP_VERTICAL;
    }
    const SDL_Rect from{source.left, source.top, w, h};
    SDL_SetTextureBlendMode(device, SDL_BLENDMODE_BLEND);
    SDL_SetTextureColorMod(device, color.r, color.g, color.b);
    SDL_SetTextureAlphaMod(device, color.a);
    if (flip == SDL_FLIP_NONE) {
        SDL_RenderCopyF(renderer_, device, &from, &target);
    } else {
        SDL_RenderCopyExF(renderer_, device, &from, &target, 0.0, nullptr, SDL_RendererFlip(flip));
    }
}

void SdlSpriteBatch::End() {}
