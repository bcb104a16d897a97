#pragma once

#include <string>
#include <vector>

#include "core/Color.hpp"

// A picture held as opaque-or-not RGBA pixels: a piece of the X screen or a PNG file.
class ScreenPicture {
public:
    ScreenPicture() = default;
    ScreenPicture(int width, int height) : width_(width), height_(height), pixels_(size_t(width * height)) {}

    // Loads a PNG with SDL2_image; throws std::runtime_error naming the file when it cannot.
    static ScreenPicture FromFile(const std::string& file);

    int width() const { return width_; }
    int height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    const Color& At(int x, int y) const { return pixels_[size_t(y * width_ + x)]; }
    Color& At(int x, int y) { return pixels_[size_t(y * width_ + x)]; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
};

// Each channel of `a` within `tolerance` of `b` (alpha ignored).
bool CloseTo(const Color& a, const Color& b, int tolerance = 3);
// `over` blended by its alpha onto the opaque `under`, as the sprite batch does.
Color BlendOver(const Color& over, const Color& under);
