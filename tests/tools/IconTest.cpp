// The committed icons are what the generator draws now, at the sizes the desktop asks for.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface LoadRgba(const fs::path& file) {
    Surface loaded(IMG_Load(file.c_str()), &SDL_FreeSurface);
    if (!loaded) return Surface(nullptr, &SDL_FreeSurface);
    return Surface(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0), &SDL_FreeSurface);
}

TEST(Icons, CommittedIconsEqualAFreshRun) {
    TempContent temp;
    const std::string command = std::string("\"") + CONTENTGEN_EXECUTABLE + "\" --icons icons";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const int side : {64, 256}) {
        const fs::path file =
            fs::path(std::to_string(side) + "x" + std::to_string(side)) / "apps/glimmerduct.png";
        SCOPED_TRACE(file.string());
        const Surface fresh = LoadRgba(temp.path() / "icons" / file);
        const Surface committed = LoadRgba(fs::path(GAME_SOURCE_DIR) / "packaging/icons" / file);
        ASSERT_TRUE(fresh && committed) << "run scripts/generate-content.sh";
        ASSERT_EQ(fresh->w, side);
        ASSERT_EQ(fresh->h, side);
        ASSERT_EQ(committed->w, side);
        for (int y = 0; y < side; ++y) {
            const auto* a = static_cast<const uint8_t*>(fresh->pixels) + y * fresh->pitch;
            const auto* b = static_cast<const uint8_t*>(committed->pixels) + y * committed->pitch;
            ASSERT_EQ(std::memcmp(a, b, size_t(4 * side)), 0)
                << "row " << y << ": run scripts/generate-content.sh";
        }
    }
}

}  // namespace
