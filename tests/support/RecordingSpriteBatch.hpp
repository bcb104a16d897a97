#pragma once

#include <string>
#include <vector>

#include "core/SpriteBatch.hpp"

// A sprite batch that draws nothing and remembers every call, in order.
class RecordingSpriteBatch : public SpriteBatch {
public:
    struct DrawCall {
        const Texture* texture;
        SourceRect source;
        bool hasCentre;
        Vector2 centre;
        Vector2 position;
        Color color;
        SpriteTransform transform;  // in force when the draw was made
    };

    void Begin() override { calls.push_back("Begin"); }
    void SetTransform(const SpriteTransform& t) override {
        calls.push_back("SetTransform");
        transform = t;
    }
    void Draw(const Texture& texture, const SourceRect& source, const Vector2* centre, Vector2 position,
              Color color) override {
        calls.push_back("Draw");
        draws.push_back({&texture, source, centre != nullptr, centre ? *centre : Vector2(), position, color,
                         transform});
    }
    void End() override { calls.push_back("End"); }

    std::vector<std::string> calls;
    std::vector<DrawCall> draws;
    SpriteTransform transform;
};
