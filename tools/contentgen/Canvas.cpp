#include "Canvas.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <memory>
#include <stdexcept>

float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

float SmoothStep(float edge0, float edge1, float v) {
    const float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

Canvas::Canvas(int width, int height) : width_(width), height_(height), pixels_(size_t(width * height)) {}

void Canvas::Shade(int supersample, const Shader& shader) {
    const float step = 1.0f / float(supersample);
    const float weight = 1.0f / float(supersample * supersample);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Rgba sum;
            for (int j = 0; j < supersample; ++j) {
                for (int i = 0; i < supersample; ++i) {
                    const Rgba c = shader(float(x) + (float(i) + 0.5f) * step, float(y) + (float(j) + 0.5f) * step);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b, sum.a + c.a};
                }
            }
            At(x, y) = Scaled(sum, weight);
        }
    }
}

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

uint8_t ToByte(float v) { return uint8_t(std::lround(Clamp01(v) * 255.0f)); }

}  // namespace

void Canvas::SavePng(const std::string& path) const {
    std::unique_ptr<SDL_Surface, SurfaceDeleter> surface(
        SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 32, SDL_PIXELFORMAT_RGBA32));
    if (!surface) throw std::runtime_error(path + ": " + SDL_GetError());
    for (int y = 0; y < height_; ++y) {
        auto* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < width_; ++x) {
            const Rgba c = At(x, y);
            const float a = Clamp01(c.a);
            // Straight colour: undo the premultiplication; a fully clear pixel keeps black.
            const float k = a > 0.0f ? 1.0f / c.a : 0.0f;
            row[4 * x + 0] = ToByte(c.r * k);
            row[4 * x + 1] = ToByte(c.g * k);
            row[4 * x + 2] = ToByte(c.b * k);
            row[4 * x + 3] = ToByte(a);
        }
    }
    if (IMG_SavePNG(surface.get(), path.c_str()) != 0) throw std::runtime_error(path + ": " + IMG_GetError());
}
