// Frames drawn by the real platform on SDL's software renderer, read back pixel by pixel.
#include <optional>

#include <gtest/gtest.h>

#include "graphics/Font.hpp"
#include "graphics/TextComponent.hpp"
#include "graphics/TextureManager.hpp"
#include "scene/Component.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"
#include "support/TestPictures.hpp"

namespace {

constexpr Color red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255}, white{255, 255, 255, 255};
constexpr Color clear{20, 30, 40, 255};

class SdlRender : public ::testing::Test {
protected:
    void SetUp() override { screen.settings.clearColor = clear; }

    std::unique_ptr<Texture> Picture(const std::string& name, int w, int h, Color fill) {
        WritePng(name, w, h, fill);
        auto texture = LoadTextureFromFile(name);
        EXPECT_NE(texture, nullptr);
        return texture;
    }

    GameObject& AddSprite(Texture& texture, std::optional<Vector2> position, Vector2 size,
                          int32_t layer = 1, Color color = white) {
        GameObject& object = *screen.root.AddChild(new GameObject);
        if (position) object.AddComponent(new Pos2dComponent)->position = *position;
        auto* sprite = object.AddComponent(new SpriteComponent);
        sprite->texture = &texture;
        sprite->size = size;
        sprite->layer = layer;
        sprite->color = color;
        return object;
    }

    Color At(int x, int y) const { return screen.Pixel(x, y); }

    TempContent folder;
    HeadlessScreen screen;
};

void ExpectNear(Color expected, Color actual, int tolerance) {
    EXPECT_NEAR(expected.r, actual.r, tolerance);
    EXPECT_NEAR(expected.g, actual.g, tolerance);
    EXPECT_NEAR(expected.b, actual.b, tolerance);
}

TEST_F(SdlRender, ClearsToTheClearColour) {
    screen.platform().RenderFrame();
    EXPECT_EQ(At(0, 0), clear);
    EXPECT_EQ(At(799, 599), clear);
}

TEST_F(SdlRender, LayerTwoCoversLayerOneWhateverTheTreeOrder) {
    auto top = Picture("top.png", 32, 32, red);
    auto bottom = Picture("bottom.png", 32, 32, green);
    // The layer-2 sprite comes first in the tree, so call order alone would put it below.
    AddSprite(*top, Vector2(100, 100), Vector2(32, 32), 2);
    AddSprite(*bottom, Vector2(110, 100), Vector2(32, 32), 1);
    screen.platform().RenderFrame();
    EXPECT_EQ(At(100, 100), red);
    EXPECT_EQ(At(115, 100), red);
    EXPECT_EQ(At(120, 100), green);  // beyond the red square's right edge at 116
}

TEST_F(SdlRender, SpriteIsStretchedToItsSizeAndCentredOnItsPosition) {
    // Left half red, right half blue, so the stretch and the centring both show.
    WritePng("halves.png", 32, 32, [](int x, int) { return x < 16 ? red : blue; });
    auto texture = LoadTextureFromFile("halves.png");
    ASSERT_NE(texture, nullptr);
    AddSprite(*texture, Vector2(200, 150), Vector2(64, 64));
    screen.platform().RenderFrame();
    // Covers exactly [168, 232) x [118, 182).
    EXPECT_EQ(At(168, 118), red);
    EXPECT_EQ(At(199, 181), red);
    EXPECT_EQ(At(200, 118), blue);
    EXPECT_EQ(At(231, 181), blue);
    EXPECT_EQ(At(167, 150), clear);
    EXPECT_EQ(At(232, 150), clear);
    EXPECT_EQ(At(200, 117), clear);
    EXPECT_EQ(At(200, 182), clear);
}

TEST_F(SdlRender, SpriteWithoutPositionIsCentredOnTheTopLeftCorner) {
    auto texture = Picture("corner.png", 32, 32, green);
    AddSprite(*texture, std::nullopt, Vector2(32, 32));
    screen.platform().RenderFrame();
    EXPECT_EQ(At(0, 0), green);
    EXPECT_EQ(At(15, 15), green);
    EXPECT_EQ(At(16, 0), clear);
    EXPECT_EQ(At(0, 16), clear);
}

TEST_F(SdlRender, ColourModulatesAndAlphaBlends) {
    auto texture = Picture("white.png", 16, 16, white);
    AddSprite(*texture, Vector2(50, 50), Vector2(16, 16), 1, Color{10, 200, 30, 255});
    AddSprite(*texture, Vector2(150, 50), Vector2(16, 16), 1, Color{255, 255, 255, 0});
    AddSprite(*texture, Vector2(250, 50), Vector2(16, 16), 1, Color{220, 130, 40, 128});
    screen.platform().RenderFrame();
    EXPECT_EQ(At(50, 50), (Color{10, 200, 30, 255}));
    EXPECT_EQ(At(150, 50), clear);  // alpha 0 leaves the frame as it was
    // Half over the clear colour: about halfway between the two.
    ExpectNear(Color{120, 80, 40, 255}, At(250, 50), 2);
}

TEST_F(SdlRender, KerningMovesTheSecondGlyphLeft) {
    Font font;
    WritePng("page.png", 16, 8, [](int x, int) { return x < 4 ? red : blue; });
    font.page = LoadTextureFromFile("page.png");
    ASSERT_NE(font.page, nullptr);
    font.glyphs['A'] = Glyph{'A', 0, 0, 4, 4, 0, 0, 10};
    font.glyphs['B'] = Glyph{'B', 4, 0, 4, 4, 0, 1, 10};
    font.kernings.emplace('A', Kerning{'A', 'B', -2});

    GameObject& line = *screen.root.AddChild(new GameObject);
    line.AddComponent(new Pos2dComponent)->position = Vector2(50, 60);
    auto* text = line.AddComponent(new TextComponent);
    text->font = &font;
    text->text = "AB";
    screen.platform().RenderFrame();

    EXPECT_EQ(At(50, 60), red);
    EXPECT_EQ(At(53, 63), red);
    EXPECT_EQ(At(54, 61), clear);
    // xadvance alone would put B at x = 60; the kerning of -2 puts it at 58, one row down.
    EXPECT_EQ(At(57, 61), clear);
    EXPECT_EQ(At(58, 61), blue);
    EXPECT_EQ(At(61, 64), blue);
    EXPECT_EQ(At(62, 61), clear);
    EXPECT_EQ(At(58, 60), clear);
}

}  // namespace
