#include <SDL.h>
#include <gtest/gtest.h>

#include "core/Services.hpp"
#include "graphics/TextureManager.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"
#include "support/TestPictures.hpp"

namespace {

constexpr Color red{255, 0, 0, 255}, blue{0, 0, 255, 255};

TEST(LoadTextureFromFile, StretchesSidesToPowersOfTwoOnADeviceOnly) {
    TempContent content;
    WritePng("odd.png", 48, 3, [](int x, int) { return x < 24 ? red : blue; });
    {
        GameSettings noDevice;
        Services::settings = &noDevice;
        EXPECT_EQ(LoadTextureFromFile("odd.png"), nullptr);
    }
    HeadlessScreen screen;
    const auto odd = LoadTextureFromFile("odd.png");
    ASSERT_NE(odd, nullptr);
    int w = 0, h = 0;
    SDL_QueryTexture(odd->deviceTexture, nullptr, nullptr, &w, &h);
    EXPECT_EQ(std::make_tuple(odd->width, odd->height, w, h), std::make_tuple(64.0f, 4.0f, 64, 4));
    // Copied 1:1: the left half red and the right half blue, to the last column and row.
    const SDL_Rect whole{0, 0, 64, 4};
    SDL_RenderCopy(screen.settings.device, odd->deviceTexture, nullptr, &whole);
    for (const auto& [x, y, c] : {std::tuple{0, 0, red}, {31, 3, red}, {32, 0, blue}, {63, 3, blue}})
        EXPECT_EQ(screen.Pixel(x, y), c) << x << ", " << y;
}

}  // namespace
