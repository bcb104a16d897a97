#pragma once

#include <string_view>

#include "core/Color.hpp"

class Font;
class GameObject;

// The colours of text over the maze: the strip's pink, answers in amber, the one under the
// pointer or chosen in white.
inline constexpr Color panelTextColor{255, 222, 230, 255};
inline constexpr Color panelAnswerColor{255, 196, 120, 255};
inline constexpr Color panelChosenColor{255, 255, 255, 255};

// A line of text in the title font, a child of `parent`, not drawn until given a layer.
GameObject* AddPanelText(GameObject& parent, Font* font, Color color);

// Its width in pixels; a null font counts every byte 10 pixels wide.
float PanelTextWidth(const Font* font, std::string_view text);
