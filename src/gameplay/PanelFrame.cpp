#include "gameplay/PanelFrame.hpp"

#include <algorithm>

#include "core/Services.hpp"
#include "gameplay/TileKind.hpp"
#include "graphics/TextureManager.hpp"
#include "scene/Component.hpp"

namespace {

constexpr int32_t mostAcross = 25;  // 800 pixels
constexpr int32_t mostDown = 18;    // 576 pixels: the maze, above the strip
constexpr Color fillColor{36, 14, 22, 255};

const char* PieceName(TileKind kind) {
    switch (kind) {
        case TileKind::Horizontal: return "GutHorizontal";
        case TileKind::Vertical: return "GutVertical";
        case TileKind::TopLeft: return "GutTopLeft";
        case TileKind::TopRight: return "GutTopRight";
        case TileKind::BottomLeft: return "GutBottomLeft";
        default: return "GutBottomRight";
    }
}

}  // namespace

GameObject* AddHiddenSprite(GameObject& parent, const char* picture, Vector2 size, Color color) {
    auto* object = parent.AddChild(new GameObject());
    object->AddComponent(new Pos2dComponent());
    SpriteComponent* sprite = object->AddComponent(new SpriteComponent());
    sprite->texture = Services::textures->GetTexture(picture);
    sprite->size = size;
    sprite->color = color;
    sprite->layer = 0;
    return object;
}

PanelFrame::PanelFrame() {
    for (auto& shade : fill_) shade = AddHiddenSprite(*this, "GutBackground", Vector2(), fillColor);
    for (int32_t i = 0; i < 2 * mostAcross + 2 * (mostDown - 2); ++i)
        border_.push_back(AddHiddenSprite(*this, "GutHorizontal", Vector2(piece, piece), Color{}));
}

void PanelFrame::Place(float left, float top, int32_t across, int32_t down) {
    across = std::clamp(across, 3, mostAcross);
    down = std::clamp(down, 3, mostDown);
    const float width = float(across) * piece, height = float(down) * piece;
    for (GameObject* shade : fill_) {
        // Under the inner half of the frame, so no gap shows between frame and fill.
        shade->pos2d->position = Vector2(left + width * 0.5f, top + height * 0.5f);
        shade->sprite->size = Vector2(width - piece, height - piece);
        shade->sprite->layer = 2;
    }
    size_t used = 0;
    const auto place = [&](int32_t column, int32_t row, TileKind kind) {
        GameObject& p = *border_[used++];
        p.pos2d->position = Vector2(left + (float(column) + 0.5f) * piece, top + (float(row) + 0.5f) * piece);
        p.sprite->texture = Services::textures->GetTexture(PieceName(kind));
        p.sprite->layer = 2;
    };
    for (int32_t column = 0; column < across; ++column) {
        const bool first = column == 0, last = column == across - 1;
        place(column, 0, first ? TileKind::TopLeft : last ? TileKind::TopRight : TileKind::Horizontal);
        place(column, down - 1, first ? TileKind::BottomLeft : last ? TileKind::BottomRight : TileKind::Horizontal);
    }
    for (int32_t row = 1; row < down - 1; ++row) {
        place(0, row, TileKind::Vertical);
        place(across - 1, row, TileKind::Vertical);
    }
    for (size_t i = used; i < border_.size(); ++i) border_[i]->sprite->layer = 0;
}

void PanelFrame::Hide() {
    for (GameObject* child : children) child->sprite->layer = 0;
}
