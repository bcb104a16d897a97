#pragma once

#include <cstdint>

#include "core/Color.hpp"
#include "core/Vector2.hpp"

class Texture;

// A rectangle of texels: left and top inclusive, right and bottom exclusive.
struct SourceRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const SourceRect&) const = default;
};

// Scaling then translation, applied to every draw until it is set again.
struct SpriteTransform {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float translateX = 0.0f;
    float translateY = 0.0f;
    bool operator==(const SpriteTransform&) const = default;
};

// Draws textured rectangles in call order, alpha-blended, tinted by a colour.
class SpriteBatch {
public:
    virtual ~SpriteBatch() = default;
    virtual void Begin() = 0;
    virtual void SetTransform(const SpriteTransform& transform) = 0;
    // The texel at `centre` (the rectangle's top-left when null) lands on `position`; the
    // rectangle keeps its size in texels; the transform then applies to the result.
    virtual void Draw(const Texture& texture, const SourceRect& source, const Vector2* centre,
                      Vector2 position, Color color) = 0;
    virtual void End() = 0;
};
