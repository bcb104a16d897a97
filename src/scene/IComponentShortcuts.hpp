#pragma once

class Component;
class Pos2dComponent;
class SpriteComponent;
class TextComponent;

// The first position, sprite and text component of an object: the only way components are
// found, so that nothing in the frame loop searches or tests types.
class IComponentShortcuts {
public:
    virtual ~IComponentShortcuts() = default;

    // Fills each still empty slot whose kind `c` is (subclasses count); never replaces one.
    void OfferComponent(Component* c);

    Pos2dComponent* pos2d = nullptr;
    SpriteComponent* sprite = nullptr;
    TextComponent* text = nullptr;
};
