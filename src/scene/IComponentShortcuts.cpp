#include "scene/IComponentShortcuts.hpp"

#include "scene/TextComponent.hpp"
#include "scene/Component.hpp"

void IComponentShortcuts::OfferComponent(Component* c) {
    if (!pos2d) pos2d = dynamic_cast<Pos2dComponent*>(c);
    if (!sprite) sprite = dynamic_cast<SpriteComponent*>(c);
    if (!text) text = dynamic_cast<TextComponent*>(c);
}
