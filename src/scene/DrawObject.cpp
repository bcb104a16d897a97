#include "scene/DrawObject.hpp"

#include "core/SpriteBatch.hpp"
#include "graphics/Font.hpp"
#include "scene/TextComponent.hpp"
#include "graphics/Texture.hpp"
#include "scene/GameObject.hpp"

namespace {

void DrawSprite(const GameObject& object, const SpriteComponent& sprite, SpriteBatch& batch) {
    if (!sprite.texture) return;  // nothing to draw with; a builder failed to find its picture
    const Texture& texture = *sprite.texture;
    const float w = texture.width, h = texture.height;
    // Nothing to see, and the position below would be divided by a zero scale.
    if (w <= 0.0f || h <= 0.0f || sprite.size.x == 0.0f || sprite.size.y == 0.0f) return;
    const SourceRect source{0, 0, int32_t(w), int32_t(h)};
    const float sx = sprite.size.x / w, sy = sprite.size.y / h;
    batch.SetTransform({sx, sy, 0.0f, 0.0f});
    Vector2 position;
    if (object.pos2d) position = Vector2(object.pos2d->position.x / sx, object.pos2d->position.y / sy);
    const Vector2 centre(w * 0.5f, h * 0.5f);
    batch.Draw(texture, source, &centre, position, sprite.color);
}

void DrawText(const GameObject& object, const TextComponent& text, SpriteBatch& batch) {
    if (!text.font || !text.font->page) return;
    const Font& font = *text.font;
    batch.SetTransform({});
    const Vector2 pen = object.pos2d ? object.pos2d->position : Vector2();
    font.LayOut(text.text, pen, [&](const Glyph& g, Vector2 at) {
        if (g.width <= 0 || g.height <= 0) return;  // a missing glyph places nothing
        const SourceRect source{g.x, g.y, g.x + g.width, g.y + g.height};
        batch.Draw(*font.page, source, nullptr, at, text.color);
    });
}

}  // namespace

void DrawObject(GameObject& object, int32_t layer, SpriteBatch& batch) {
    if (object.sprite && (object.sprite->layer & layer) != 0) DrawSprite(object, *object.sprite, batch);
    if (object.text && (object.text->layer & layer) != 0) DrawText(object, *object.text, batch);
    for (size_t i = 0; i < object.children.size(); ++i) DrawObject(*object.children[i], layer, batch);
}

void DrawScene(GameObject& root, SpriteBatch& batch) {
    batch.Begin();
    DrawObject(root, 1, batch);
    batch.End();
    batch.Begin();
    DrawObject(root, 2, batch);
    batch.End();
}
