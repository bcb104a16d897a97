#include <gtest/gtest.h>

#include "core/ContentError.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayScreen.hpp"
#include "gameplay/GameplayScreenBehavior.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/Player.hpp"
#include "gameplay/PlayerBehavior.hpp"
#include "graphics/TextComponent.hpp"
#include "graphics/Texture.hpp"
#include "graphics/TextureManager.hpp"
#include "scene/Component.hpp"
#include "support/AudioProbe.hpp"
#include "support/GameplayWorld.hpp"

namespace {

Texture* Picture(const char* name) { return Services::textures->GetTexture(name); }

GameObject& Screen() {
    EXPECT_EQ(Services::root->children.size(), 1u);
    return *Services::root->children.at(0);
}

}  // namespace

TEST(GameplayScreen, StartUpBuildsTheSceneInOrder) {
    GameplayWorld world({}, false);
    GameObject& screen = Screen();
    ASSERT_EQ(screen.children.size(), 129u);
    ASSERT_EQ(screen.components.size(), 1u);
    EXPECT_NE(dynamic_cast<GameplayScreenBehavior*>(screen.components[0]), nullptr);
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        auto* tile = dynamic_cast<BackgroundTile*>(screen.children[size_t(slot)]);
        ASSERT_EQ(tile, gameplayState.tiles[size_t(slot)]) << slot;
        ASSERT_EQ(tile->column, slot % GridColumns);
        ASSERT_EQ(tile->row, slot / GridColumns);
        ASSERT_EQ(tile->pos2d->position, GridToWorld(tile->column, tile->row));
    }
    EXPECT_EQ(gameplayState.tiles[0]->pos2d->position, Vector2(-16.0f, 32.0f));
    EXPECT_EQ(gameplayState.tiles[125]->pos2d->position, Vector2(816.0f, 544.0f));
    EXPECT_EQ(screen.children[126], gameplayState.player);
    EXPECT_EQ(gameplayState.player->pos2d->position, Vector2(112.0f, 96.0f));
    EXPECT_EQ(gameplayState.player->sprite->layer, 2);
    EXPECT_EQ(gameplayState.player->sprite->size,
              Vector2(32.0f, 64.0f));  // 32 x 48, stretched to powers of two

    const GameObject& title = *screen.children[127];
    ASSERT_NE(title.text, nullptr);
    EXPECT_EQ(title.text->text, "TORVEL: Glimmerduct");
    EXPECT_EQ(title.text->color, (Color{255, 222, 230, 255}));
    EXPECT_EQ(title.pos2d->position, Vector2(10.0f, 577.0f));

    BackgroundTile& cursor = *gameplayState.cursorTile;
    EXPECT_EQ(screen.children[128], &cursor);
    EXPECT_TRUE(cursor.isCursor);
    EXPECT_EQ(cursor.kind, 2);
    EXPECT_TRUE(cursor.solid);
    EXPECT_EQ(cursor.sprite->texture, Picture("GutVertical"));
    EXPECT_EQ(cursor.sprite->color.a, 0);  // hidden until the editor is on
    EXPECT_EQ(cursor.sprite->size, Vector2(32.0f, 32.0f));
    EXPECT_EQ(cursor.sprite->layer, 2);
    EXPECT_EQ(cursor.pos2d->position, Vector2(752.0f, 544.0f));
}

TEST(GameplayScreen, ANewTileIsASolidVerticalWallSizedByTheBackground) {
    GameplayWorld world({}, false);
    BackgroundTile tile;
    EXPECT_EQ(tile.kind, 2);
    EXPECT_TRUE(tile.solid);
    EXPECT_EQ(tile.sprite->texture, Picture("GutVertical"));
    EXPECT_EQ(tile.sprite->size, Vector2(64.0f, 64.0f));
    EXPECT_EQ(tile.sprite->layer, 1);
}

TEST(GameplayScreen, SetKindChoosesPictureAndSolidity) {
    GameplayWorld world;
    BackgroundTile& tile = GameplayWorld::Tile(4, 4);
    const char* walls[] = {"GutHorizontal", "GutVertical",   "GutTopLeft",
                           "GutTopRight",   "GutBottomLeft", "GutBottomRight"};
    for (int32_t code = 1; code <= 6; ++code) {
        tile.SetKind(code);
        EXPECT_TRUE(tile.solid) << code;
        EXPECT_EQ(tile.sprite->texture, Picture(walls[code - 1])) << code;
    }
    for (int32_t code : {0, 42, -1, 8}) {
        tile.SetKind(code);
        EXPECT_EQ(tile.kind, code);
        EXPECT_FALSE(tile.solid) << code;
        EXPECT_EQ(tile.sprite->texture, Picture("GutBackground")) << code;
    }
    EXPECT_EQ(tile.sprite->size, Vector2(64.0f, 64.0f));
}

TEST(GameplayScreen, CodeSevenPlacesThePlayerOnAGridCellButOnlyRepaintsTheCursor) {
    GameplayWorld world;
    GameplayWorld::Tile(5, 6).SetKind(7);
    EXPECT_FALSE(GameplayWorld::Tile(5, 6).solid);
    EXPECT_EQ(GameplayWorld::Tile(5, 6).sprite->texture, Picture("GutBackground"));
    EXPECT_EQ(gameplayState.player->pos2d->position, GridToWorld(5, 6));
    EXPECT_EQ(GameplayWorld::PlayerMotion().cell, Vector2(5.0f, 6.0f));

    gameplayState.cursorTile->SetKind(7);
    EXPECT_EQ(gameplayState.cursorTile->sprite->texture, Picture("TorvelPose"));
    EXPECT_EQ(gameplayState.player->pos2d->position, GridToWorld(5, 6));
}

TEST(GameplayScreen, StartAppliesTheFirstLevelAndPlaysTheTheme) {
    LevelCodes codes{};
    codes[SlotOf({3, 2})] = 4;
    codes[SlotOf({6, 3})] = 7;
    codes[SlotOf({8, 5})] = 7;  // the last start cell in slot order wins
    GameplayWorld world({{"A.json", codes}, {"B.json", LevelCodes{}}});
    EXPECT_EQ(Services::settings->clearColor, (Color{152, 66, 86, 255}));
    for (int32_t slot = 0; slot < TileCount; ++slot)
        ASSERT_EQ(gameplayState.tiles[size_t(slot)]->kind, codes[size_t(slot)]);
    EXPECT_EQ(gameplayState.player->pos2d->position, GridToWorld(8, 5));
    EXPECT_EQ(CurrentTrack(), "TorvelTheme");
}

TEST(GameplayScreen, AnEmptyLevelFolderIsAContentError) {
    GameplayWorld world({}, false);
    try {
        world.RunFrames(1);
        FAIL() << "the game started without a level";
    } catch (const ContentError& e) {
        EXPECT_EQ(e.file(), boost::filesystem::path("Content/Levels"));
    }
}

TEST(GameplayScreen, AMissingBackgroundPictureIsAContentError) {
    GameplayWorld world({}, false);
    Services::textures->banks["Main"]->textures.erase("GutBackground");
    EXPECT_THROW(GameplayScreen(), ContentError);
}
