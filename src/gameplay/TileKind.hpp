#pragma once

#include <cstdint>

// The tile codes a level stores. Any other value is legal: it is kept as read, written back
// unchanged, and behaves as Empty.
enum class TileKind : int32_t {
    Empty = 0,
    Horizontal = 1,  // wall pieces and corners block the player
    Vertical = 2,
    TopLeft = 3,
    TopRight = 4,
    BottomLeft = 5,
    BottomRight = 6,
    PlayerStart = 7,  // open; the player is placed here when the level is applied
    Exit = 8,         // open; a step that ends here finishes the level
};

// Wall pieces and corners block the player; every other code is open.
constexpr bool IsSolidCode(int32_t code) {
    return code >= int32_t(TileKind::Horizontal) && code <= int32_t(TileKind::BottomRight);
}

constexpr bool IsExitCode(int32_t code) { return code == int32_t(TileKind::Exit); }
