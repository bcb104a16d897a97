#pragma once

#include <string>

// Bakes printable ASCII (32..126) of a TrueType face at a pixel size into a bitmap font: the
// XML description `<folder>/<name>.fnt` and its one page `<folder>/<name>_0.png` (white
// glyphs, coverage in alpha, power-of-two sides), with the face's non-zero kerning pairs.
void BakeFont(const std::string& facePath, int pixelSize, const std::string& folder, const std::string& name);
