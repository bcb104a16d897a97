#include "gameplay/EditorMarks.hpp"

#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/PanelFrame.hpp"
#include "graphics/TextureManager.hpp"
#include "scene/Component.hpp"

namespace {

constexpr float side = 64.0f;     // a cell, in pixels
constexpr float line = 6.0f;      // an outline's thickness, inside the cell it bounds
constexpr float crossBar = 6.0f;  // the bars of the cross on a cell out of reach
constexpr Color darkColor{0, 0, 0, 255};
constexpr Color crossColor{200, 190, 220, 255};
constexpr Color toolColor{255, 240, 120, 255};
constexpr Color selectionColor{120, 230, 255, 255};
constexpr uint8_t ghostAlpha = 150;
// Every side of every cell: a fill of a chequered level outlines them all.
constexpr int32_t mostSegments = 4 * TileCount;

}  // namespace

// The border of a set of cells, drawn with duct pieces squeezed into thin bars.
class CellOutline : public GameObject {
public:
    explicit CellOutline(Color color) {
        for (int32_t i = 0; i < mostSegments; ++i) segments_[size_t(i)] = AddHiddenSprite(*this, "GutHorizontal", {}, color);
        across_ = Services::textures->GetTexture("GutHorizontal");
        down_ = Services::textures->GetTexture("GutVertical");
    }

    void Show(const CellSet& cells) {
        size_t used = 0;
        const auto place = [&](Vector2 centre, bool across) {
            GameObject& segment = *segments_[used++];
            segment.pos2d->position = centre;
            segment.sprite->texture = across ? across_ : down_;
            segment.sprite->size = across ? Vector2(side, line) : Vector2(line, side);
            segment.sprite->layer = 2;
        };
        const auto inside = [&](int32_t column, int32_t row) {
            return IsInGrid({column, row}) && cells.test(size_t(SlotOf({column, row})));
        };
        const float half = (side - line) * 0.5f;
        for (int32_t slot = 0; slot < TileCount && cells.any(); ++slot) {
            if (!cells.test(size_t(slot))) continue;
            const int32_t column = slot % GridColumns, row = slot / GridColumns;
            const Vector2 c = GridToWorld(column, row);
            if (!inside(column, row - 1)) place({c.x, c.y - half}, true);
            if (!inside(column, row + 1)) place({c.x, c.y + half}, true);
            if (!inside(column - 1, row)) place({c.x - half, c.y}, false);
            if (!inside(column + 1, row)) place({c.x + half, c.y}, false);
        }
        for (size_t i = used; i < segments_.size() && segments_[i]->sprite->layer != 0; ++i)
            segments_[i]->sprite->layer = 0;
    }

private:
    std::array<GameObject*, mostSegments> segments_{};
    Texture* across_ = nullptr;
    Texture* down_ = nullptr;
};

EditorMarks::EditorMarks() {
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        const Vector2 at = GridToWorld(slot % GridColumns, slot / GridColumns);
        auto& pieces = shade_[size_t(slot)].pieces;
        // The floor picture is mostly clear: drawn darkened three times over, it hides most of
        // the background (about 85 %).
        for (size_t i = 0; i < 3; ++i) pieces[i] = AddHiddenSprite(*this, "GutBackground", {side, side}, darkColor);
        pieces[3] = AddHiddenSprite(*this, "GutHorizontal", {side, crossBar}, crossColor);
        pieces[4] = AddHiddenSprite(*this, "GutVertical", {crossBar, side}, crossColor);
        for (GameObject* piece : pieces) piece->pos2d->position = at;
    }
    tool_ = AddChild(new CellOutline(toolColor));
    selection_ = AddChild(new CellOutline(selectionColor));
    for (auto& tile : ghost_) {
        tile = AddChild(new BackgroundTile());
        tile->isCursor = true;  // a start cell shows Torvel, as on the cursor
        tile->sprite->color.a = ghostAlpha;
        tile->sprite->layer = 0;
    }
}

void EditorMarks::Shade(int32_t slot, bool shaded) {
    for (GameObject* piece : shade_[size_t(slot)].pieces) piece->sprite->layer = shaded ? 1 : 0;
}

void EditorMarks::OutlineTool(const CellSet& cells) { tool_->Show(cells); }

void EditorMarks::OutlineSelection(const CellSet& cells) { selection_->Show(cells); }

void EditorMarks::ShowGhost(const CellBlock& block, GridCell at) {
    size_t used = 0;
    for (int32_t row = 0; row < block.rows; ++row) {
        for (int32_t column = 0; column < block.columns; ++column) {
            const GridCell cell{at.column + column, at.row + row};
            if (!IsInGrid(cell)) continue;
            BackgroundTile& tile = *ghost_[used++];
            tile.SetKind(block.codes[size_t(row * block.columns + column)]);
            tile.pos2d->position = GridToWorld(cell.column, cell.row);
            tile.sprite->layer = 2;
        }
    }
    for (size_t i = used; i < ghost_.size(); ++i) ghost_[i]->sprite->layer = 0;
}

void EditorMarks::HideGhost() {
    for (BackgroundTile* tile : ghost_) tile->sprite->layer = 0;
}
