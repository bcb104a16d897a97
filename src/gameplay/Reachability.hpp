#pragma once

#include <bitset>

#include "core/Color.hpp"

#include "gameplay/Grid.hpp"

// The cells the player can walk to from the level's start cell (StartCell), the start
// included. Every step the player takes is one cell across or down to an open cell of the grid
// (a diagonal slide too is made of such steps), so this is a flood over open neighbours. No
// start cell: none.
std::bitset<TileCount> ReachableCells(const LevelCodes& codes);

// The tint of the open cells out of reach while the editor is on. The floor picture is mostly
// clear, so it has to be a strong one to show.
inline constexpr Color unreachableTint{24, 24, 48, 255};
