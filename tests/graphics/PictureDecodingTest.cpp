#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "graphics/TextureManager.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"
#include "support/TestPictures.hpp"

namespace {

constexpr Color grey{128, 128, 128, 255};

// Pictures are PNGs whatever else the bytes could be, and a bad one is the caller's to report:
// the decoder's own complaints never reach stderr.
TEST(PictureDecoding, OnlyWholePngsLoadAndBadOnesStayQuiet) {
    TempContent content;
    HeadlessScreen screen;
    WritePng("good.png", 4, 4, grey);
    EXPECT_NE(LoadTextureFromFile("good.png"), nullptr);

    const std::string png = content.Read("good.png");
    content.Write("half.png", png.substr(0, png.size() / 2));
    std::string crc = png;
    crc[png.find("IDAT") + 6] ^= 0x55;  // the data no longer matches its checksum
    content.Write("crc.png", crc);
    content.Write("svg.png", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\">"
                             "<rect width=\"4\" height=\"4\" fill=\"#808080\"/></svg>");
    SDL_Surface* bmp = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(bmp, nullptr);
    ASSERT_EQ(SDL_SaveBMP(bmp, "bmp.png"), 0);
    SDL_FreeSurface(bmp);

    for (const char* file : {"half.png", "crc.png", "svg.png", "bmp.png"}) {
        SCOPED_TRACE(file);
        testing::internal::CaptureStderr();
        const auto texture = LoadTextureFromFile(file);
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(texture, nullptr);
        EXPECT_EQ(printed, "");
    }
}

}  // namespace
