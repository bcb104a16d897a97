#include "support/TestPictures.hpp"

#include <stdexcept>

#include <SDL.h>
#include <boost/filesystem/operations.hpp>
#include <SDL_image.h>

#include "platform/SdlHandles.hpp"

void WritePng(const std::string& path, int w, int h, const std::function<Color(int x, int y)>& pixel) {
    const boost::filesystem::path folder = boost::filesystem::path(path).parent_path();
    if (!folder.empty()) boost::filesystem::create_directories(folder);
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!surface) throw std::runtime_error(std::string("cannot make a picture: ") + SDL_GetError());
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < w; ++x) row[x] = pixel(x, y).Packed();
    }
    if (IMG_SavePNG(surface.get(), path.c_str()) != 0) {
        throw std::runtime_error("cannot write " + path + ": " + IMG_GetError());
    }
}

void WritePng(const std::string& path, int w, int h, Color fill) {
    WritePng(path, w, h, [fill](int, int) { return fill; });
}
