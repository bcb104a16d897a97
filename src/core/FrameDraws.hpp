#pragma once

#include <vector>

#include "core/Color.hpp"
#include "core/SpriteBatch.hpp"

// One draw as the sprite batch was asked for it, with the transform in force.
struct RecordedDraw {
    const Texture* texture = nullptr;
    SourceRect source;
    bool hasCentre = false;
    Vector2 centre;  // (0, 0) without one, so that equal draws compare equal
    Vector2 position;
    Color color;
    SpriteTransform transform;
    bool operator==(const RecordedDraw&) const = default;
};

// One frame as the scene asked for it: the clear colour and the draws of sprite layers 1 and 2
// in call order. Two frames that compare equal show the same picture, as long as a texture's
// pixels stay as they were loaded. The lists keep their capacity, so that recording a steady
// frame allocates nothing.
class FrameDraws {
public:
    FrameDraws();

    // Empties both layers for a frame cleared to `clear`.
    void Begin(Color clear);
    // A batch whose draws are appended to `layer` (1 or 2).
    SpriteBatch& Layer(int layer);
    // Hands `layer`'s draws to `batch` as they were made, between its Begin and End.
    void Replay(int layer, SpriteBatch& batch) const;

    Color clearColor() const { return clear_; }
    const std::vector<RecordedDraw>& draws(int layer) const { return layers_[Index(layer)].draws; }
    bool operator==(const FrameDraws& other) const;

private:
    class Recorder : public SpriteBatch {
    public:
        void Begin() override { transform = SpriteTransform{}; }
        void SetTransform(const SpriteTransform& t) override { transform = t; }
        void Draw(const Texture& texture, const SourceRect& source, const Vector2* centre, Vector2 position,
                  Color color) override;
        void End() override {}

        std::vector<RecordedDraw> draws;
        SpriteTransform transform;
    };

    static int Index(int layer) { return layer == 2 ? 1 : 0; }

    Color clear_;
    Recorder layers_[2];
};
