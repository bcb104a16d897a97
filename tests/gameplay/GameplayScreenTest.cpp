#include <gtest/gtest.h>

#include "audio/MusicManager.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "scene/TextComponent.hpp"
#include "graphics/TextureManager.hpp"
#include "scene/Component.hpp"
#include "support/GameplayWorld.hpp"

// What each code shows, and where everything stands, shows in a real window; here what it
// cannot tell.
TEST(GameplayScreen, TheFirstLevelInNameOrderIsShownTheThemePlaysAndTheCursorOnlyShowsThePlayer) {
    const LevelFile first =
        GameplayWorld::Level({{{6, 3}, 7}, {{8, 5}, 7}}, "A.json");  // the last start wins
    GameplayWorld world({GameplayWorld::Level({}, "b.json"), first});
    EXPECT_EQ(Services::settings->clearColor, (Color{152, 66, 86, 255}));
    EXPECT_EQ(GameplayWorld::Shown(), first.codes);
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(8, 5));
    EXPECT_NE(Services::music->currentSound, nullptr);  // the only track: "TorvelTheme"
    BackgroundTile& cursor = *gameplayState.cursorTile;
    EXPECT_TRUE(cursor.solid && cursor.kind == 2 && !GameplayWorld::Tile(6, 3).solid);
    cursor.SetKind(7);
    EXPECT_EQ(cursor.sprite->texture, Services::textures->GetTexture("TorvelPose"));
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(8, 5));
    const GameObject& title = *Services::root->children.at(0)->children.at(127);
    EXPECT_EQ(title.text->text, "TORVEL: Glimmerduct");
    EXPECT_EQ(title.text->color, (Color{255, 222, 230, 255}));
}
