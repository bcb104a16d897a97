#include "core/FrameDraws.hpp"

#include <cstddef>

namespace {

// More than a frame of this game draws in either layer (126 tiles and the title in layer 1).
constexpr std::size_t expectedDraws = 1024;

}  // namespace

FrameDraws::FrameDraws() {
    for (Recorder& layer : layers_) layer.draws.reserve(expectedDraws);
}

void FrameDraws::Begin(Color clear) {
    clear_ = clear;
    for (Recorder& layer : layers_) layer.draws.clear();
}

SpriteBatch& FrameDraws::Layer(int layer) { return layers_[Index(layer)]; }

void FrameDraws::Replay(int layer, SpriteBatch& batch) const {
    batch.Begin();
    for (const RecordedDraw& d : draws(layer)) {
        batch.SetTransform(d.transform);
        batch.Draw(*d.texture, d.source, d.hasCentre ? &d.centre : nullptr, d.position, d.color);
    }
    batch.End();
}

bool FrameDraws::operator==(const FrameDraws& other) const {
    return clear_ == other.clear_ && layers_[0].draws == other.layers_[0].draws &&
           layers_[1].draws == other.layers_[1].draws;
}

void FrameDraws::Recorder::Draw(const Texture& texture, const SourceRect& source, const Vector2* centre,
                                Vector2 position, Color color) {
    RecordedDraw& d = draws.emplace_back();
    d.texture = &texture;
    d.source = source;
    d.hasCentre = centre != nullptr;
    if (centre) d.centre = *centre;
    d.position = position;
    d.color = color;
    d.transform = transform;
}
