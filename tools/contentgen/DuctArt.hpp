#pragma once

#include "Canvas.hpp"

// The maze's wall and floor pictures, 64 x 64. Every wall piece is the floor with one duct
// over it; the duct's cross-section is one profile swept along a straight line or a quarter
// arc through the cell centre, so pieces meet without a seam at any shared cell edge.
enum class DuctShape { Horizontal, Vertical, TopLeft, TopRight, BottomLeft, BottomRight };

constexpr int TileSide = 64;

// The floor: a dim, half-transparent grate that lets the clear colour (play or editor mode)
// tint the maze.
Canvas DrawFloor();

Canvas DrawDuct(DuctShape shape);
