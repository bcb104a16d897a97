#include "support/ScreenPicture.hpp"

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <SDL.h>
#include <SDL_image.h>

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace

ScreenPicture ScreenPicture::FromFile(const std::string& file) {
    SurfacePtr loaded(IMG_Load(file.c_str()));
    if (!loaded) throw std::runtime_error(file + ": " + IMG_GetError());
    SurfacePtr rgba(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba) throw std::runtime_error(file + ": " + SDL_GetError());
    ScreenPicture picture(rgba->w, rgba->h);
    for (int y = 0; y < rgba->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(rgba->pixels) + y * rgba->pitch;
        for (int x = 0; x < rgba->w; ++x) {
            const uint8_t* p = row + 4 * x;
            picture.At(x, y) = Color{p[0], p[1], p[2], p[3]};
        }
    }
    return picture;
}

bool CloseTo(const Color& a, const Color& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

Color BlendOver(const Color& over, const Color& under) {
    const auto mix = [&](uint8_t top, uint8_t bottom) {
        return uint8_t((top * over.a + bottom * (255 - over.a) + 127) / 255);
    };
    return Color{mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b), 255};
}
