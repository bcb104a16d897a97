#pragma once

#include <functional>
#include <string>
#include <vector>

// A colour with premultiplied alpha, every channel 0..1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

// Straight colour in bytes (0..255) and an alpha 0..1, premultiplied.
inline Rgba Paint(float r, float g, float b, float a = 1.0f) {
    return {r / 255.0f * a, g / 255.0f * a, b / 255.0f * a, a};
}

// `top` composited over `bottom` (both premultiplied).
inline Rgba Over(Rgba top, Rgba bottom) {
    const float k = 1.0f - top.a;
    return {top.r + bottom.r * k, top.g + bottom.g * k, top.b + bottom.b * k, top.a + bottom.a * k};
}

inline Rgba Scaled(Rgba c, float k) { return {c.r * k, c.g * k, c.b * k, c.a * k}; }

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);

// A picture held as premultiplied floats; written as 8-bit straight-alpha RGBA PNG.
class Canvas {
public:
    using Shader = std::function<Rgba(float x, float y)>;

    Canvas(int width, int height);

    // Fills every pixel with the mean of `shader` over supersample x supersample points spread
    // evenly inside it (pixel (0, 0) covers x and y from 0 to 1), for anti-aliased edges.
    void Shade(int supersample, const Shader& shader);

    Rgba& At(int x, int y) { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    const Rgba& At(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Throws std::runtime_error naming the file when it cannot be written.
    void SavePng(const std::string& path) const;

private:
    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};
