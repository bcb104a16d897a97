#pragma once

#include <string>

// Draws the first frame the game would show from a Content folder: the maze of
// Levels/Maze.json on the clear colour, the player on its start cell and the title line;
// with `editor`, the editor's red and its half-size cursor. Written as a PNG to `output`.
void RenderPreview(const std::string& contentFolder, const std::string& output, bool editor);
