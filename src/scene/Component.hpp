#pragma once

#include "core/Color.hpp"
#include "core/Vector2.hpp"

class GameObject;
class Texture;

class Component {
public:
    virtual ~Component() = default;
    GameObject* owner = nullptr;  // set by GameObject::AddComponent; not owned
};

class Pos2dComponent : public Component {
public:
    Vector2 position;  // pixels: the sprite's centre, the text's pen start
};

class SpriteComponent : public Component {
public:
    Vector2 size{1.0f, 1.0f};    // drawn size in pixels; the texture is stretched to it
    Texture* texture = nullptr;  // belongs to its texture bank
    Color color;                 // modulation; opaque white draws the texture unchanged
    int32_t layer = 1;           // bit mask: 1 first layer, 2 second, 3 both, 0 never
};
