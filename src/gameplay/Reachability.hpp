#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "core/Color.hpp"

#include "gameplay/CellArea.hpp"
#include "gameplay/Grid.hpp"

// Steps from the level's start cell (StartCell) to every cell, -1 for the cells out of reach.
// Every step the player takes is one cell across or down to an open cell of the grid (a
// diagonal slide too is made of such steps), so this is a breadth-first flood over open
// neighbours. No start cell: every cell is out of reach. Allocates nothing.
CellDistances StepsFromStart(const LevelCodes& codes);

// The cells the player can walk to from the start cell, the start included.
std::bitset<TileCount> ReachableCells(const LevelCodes& codes);

// The tint of the open cells out of reach while the editor is on. The floor picture is mostly
// clear, so it has to be a strong one to show.
inline constexpr Color unreachableTint{24, 24, 48, 255};
