#include "gameplay/PanelText.hpp"

#include "graphics/Font.hpp"
#include "scene/Component.hpp"
#include "scene/GameObject.hpp"
#include "scene/TextComponent.hpp"

GameObject* AddPanelText(GameObject& parent, Font* font, Color color) {
    auto* object = parent.AddChild(new GameObject());
    object->AddComponent(new Pos2dComponent());
    TextComponent* text = object->AddComponent(new TextComponent());
    text->font = font;
    text->text.clear();
    text->color = color;
    text->layer = 0;
    return object;
}

float PanelTextWidth(const Font* font, std::string_view text) {
    return font ? font->Width(text) : 10.0f * float(text.size());
}
