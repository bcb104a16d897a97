#include <gtest/gtest.h>

#include "graphics/Font.hpp"
#include "graphics/TextComponent.hpp"
#include "scene/Component.hpp"
#include "scene/DrawObject.hpp"
#include "scene/GameObject.hpp"
#include "support/RecordingSpriteBatch.hpp"

namespace {

class Drawing : public ::testing::Test {
protected:
    SpriteComponent& Sprite(GameObject& object, Vector2 size, int32_t layer = 1) {
        auto* sprite = object.AddComponent(new SpriteComponent);
        sprite->texture = &texture;
        sprite->size = size;
        sprite->layer = layer;
        return *sprite;
    }
    Texture texture{nullptr, 32, 16};
    GameObject root;
    RecordingSpriteBatch batch;
};

TEST_F(Drawing, SceneIsTwoBatchesLayerOneFirst) {
    Sprite(*root.AddChild(new GameObject), Vector2(32, 16), 2);
    Sprite(*root.AddChild(new GameObject), Vector2(32, 16), 1);
    Sprite(*root.AddChild(new GameObject), Vector2(32, 16), 3);
    Sprite(*root.AddChild(new GameObject), Vector2(32, 16), 0);
    DrawScene(root, batch);
    EXPECT_EQ(batch.calls, (std::vector<std::string>{"Begin", "SetTransform", "Draw", "SetTransform", "Draw",
                                                     "End", "Begin", "SetTransform", "Draw", "SetTransform",
                                                     "Draw", "End"}));
}

TEST_F(Drawing, SpriteScalesTheWholeTextureAroundItsCentre) {
    GameObject& object = *root.AddChild(new GameObject);
    object.AddComponent(new Pos2dComponent)->position = Vector2(100, 40);
    Sprite(object, Vector2(64, 64)).color = Color{1, 2, 3, 4};
    Sprite(object, Vector2(8, 8));  // a second sprite is kept but never drawn
    DrawObject(root, 1, batch);
    ASSERT_EQ(batch.draws.size(), 1u);
    const auto& d = batch.draws[0];
    EXPECT_EQ(d.transform.scaleX, 2.0f);
    EXPECT_EQ(d.transform.scaleY, 4.0f);
    EXPECT_EQ(d.position, Vector2(50, 10));  // scaled back by the transform to (100, 40)
    EXPECT_TRUE(d.hasCentre);
    EXPECT_EQ(d.centre, Vector2(16, 8));
    EXPECT_EQ(d.source.right, 32);
    EXPECT_EQ(d.source.bottom, 16);
    EXPECT_EQ(d.color, (Color{1, 2, 3, 4}));
}

TEST_F(Drawing, SpriteOfNoSizeOrNoTextureDrawsNothing) {
    Sprite(*root.AddChild(new GameObject), Vector2(0, 16));
    Sprite(*root.AddChild(new GameObject), Vector2(16, 16)).texture = nullptr;
    DrawObject(root, 1, batch);
    EXPECT_TRUE(batch.draws.empty());
}

TEST_F(Drawing, TextIsUnscaledAndMissingGlyphsPlaceNothing) {
    Font font;
    font.page = std::make_unique<Texture>(nullptr, 64, 64);
    font.glyphs['H'] = Glyph{'H', 8, 0, 5, 7, 1, 2, 6};
    GameObject& object = *root.AddChild(new GameObject);
    Sprite(object, Vector2(64, 64));  // leaves a scaling transform behind
    object.AddComponent(new Pos2dComponent)->position = Vector2(10, 20);
    auto* text = object.AddComponent(new TextComponent);
    text->font = &font;
    text->text = "H?H";
    DrawObject(root, 1, batch);
    ASSERT_EQ(batch.draws.size(), 3u);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(batch.draws[i].transform.scaleX, 1.0f);
        EXPECT_FALSE(batch.draws[i].hasCentre);
        EXPECT_EQ(batch.draws[i].source.left, 8);
        EXPECT_EQ(batch.draws[i].source.right, 13);
    }
    EXPECT_EQ(batch.draws[1].position, Vector2(11, 22));
    EXPECT_EQ(batch.draws[2].position, Vector2(17, 22));  // '?' has no glyph and no advance
}

}  // namespace
