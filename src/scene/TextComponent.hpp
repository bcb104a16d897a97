#pragma once

#include <string>

#include "scene/Component.hpp"

class Font;

// One line of text drawn with a bitmap font from the object's position.
class TextComponent : public Component {
public:
    std::string text = "WriteMe";  // one byte per character
    Font* font = nullptr;          // belongs to its font bank
    Color color;
    int32_t layer = 1;  // bit mask, as for sprites
};
