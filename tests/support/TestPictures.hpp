#pragma once

#include <functional>
#include <string>

#include "core/Color.hpp"

// Writes a w × h PNG (folders created on the way) whose pixel (x, y) has the colour pixel(x, y).
void WritePng(const std::string& path, int w, int h, const std::function<Color(int x, int y)>& pixel);
// Writes a PNG of one colour.
void WritePng(const std::string& path, int w, int h, Color fill);
