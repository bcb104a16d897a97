#pragma once

#include <array>
#include <cstdint>

#include "gameplay/CellArea.hpp"
#include "scene/GameObject.hpp"

class BackgroundTile;
class CellOutline;

// What the editor draws over the maze besides the tiles: the shading of cells out of reach,
// the outline of what a tool will change, the outline of the selection and a floating paste.
// Built once with the screen, every piece hidden until wanted, so showing them joins nothing to
// the scene tree and allocates nothing.
class EditorMarks : public GameObject {
public:
    EditorMarks();

    // A cell out of reach is darkened and crossed, so it shows without colour.
    void Shade(int32_t slot, bool shaded);
    // Outlines `cells` (none: hidden): what a rectangle or a fill will change.
    void OutlineTool(const CellSet& cells);
    void OutlineSelection(const CellSet& cells);
    // Shows `block` see-through with its top-left cell on `at`, the cells off the grid left out.
    void ShowGhost(const CellBlock& block, GridCell at);
    void HideGhost();

private:
    struct ShadePieces {
        std::array<GameObject*, 5> pieces{};
    };
    std::array<ShadePieces, TileCount> shade_{};
    CellOutline* tool_ = nullptr;
    CellOutline* selection_ = nullptr;
    std::array<BackgroundTile*, TileCount> ghost_{};
};
