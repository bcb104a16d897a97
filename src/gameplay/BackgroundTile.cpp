#include "gameplay/BackgroundTile.hpp"

#include "core/Services.hpp"
#include "gameplay/Pictures.hpp"
#include "gameplay/TileKind.hpp"
#include "graphics/Texture.hpp"
#include "graphics/TextureManager.hpp"
#include "scene/Component.hpp"

namespace {

// The pictures of their own: the wall pieces and the way out.
const char* Picture(int32_t code) {
    switch (TileKind(code)) {
        case TileKind::Horizontal:
            return "GutHorizontal";
        case TileKind::Vertical:
            return "GutVertical";
        case TileKind::TopLeft:
            return "GutTopLeft";
        case TileKind::TopRight:
            return "GutTopRight";
        case TileKind::BottomLeft:
            return "GutBottomLeft";
        case TileKind::BottomRight:
            return "GutBottomRight";
        case TileKind::Exit:
            return "GutExit";
        default:
            return nullptr;
    }
}

}  // namespace

BackgroundTile::BackgroundTile() {
    AddComponent(new Pos2dComponent());
    SpriteComponent* picture = AddComponent(new SpriteComponent());
    Texture& background = RequirePicture("GutBackground");
    picture->texture = &background;
    picture->size = Vector2(background.width, background.height);
    kind = int32_t(TileKind::Vertical);
    solid = true;
    picture->texture = Services::textures->GetTexture("GutVertical");
}

void BackgroundTile::SetKind(int32_t code) {
    kind = code;
    solid = true;
    if (const char* picture = Picture(code)) {
        sprite->texture = Services::textures->GetTexture(picture);
        solid = IsSolidCode(code);
        return;
    }
    solid = false;
    if (code == int32_t(TileKind::PlayerStart) && isCursor) {
        sprite->texture = Services::textures->GetTexture("TorvelPose");
        return;
    }
    sprite->texture = Services::textures->GetTexture("GutBackground");
}
