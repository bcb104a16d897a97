#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/Color.hpp"
#include "core/Vector2.hpp"
#include "scene/GameObject.hpp"

// A sprite child of `parent` showing `picture`, not drawn until given a layer.
GameObject* AddHiddenSprite(GameObject& parent, const char* picture, Vector2 size, Color color);

// The box every panel over the maze is drawn in: a frame of half-size duct pieces, as the
// editor's cursor shows them, around a darkened floor. Built once with as many pieces as the
// largest box needs, so nothing joins the scene tree while the game runs.
class PanelFrame : public GameObject {
public:
    static constexpr float piece = 32.0f;  // the side of one frame piece, in pixels

    PanelFrame();

    // Lays the box out over `piecesAcross` x `piecesDown` pieces (at least 3 x 3, at most the
    // screen's 25 x 18) from (left, top), in pixels, and shows it in layer 2.
    void Place(float left, float top, int32_t piecesAcross, int32_t piecesDown);
    void Hide();

private:
    // The floor picture is mostly clear, so the fill is that picture drawn darkened four times over.
    std::array<GameObject*, 4> fill_{};
    std::vector<GameObject*> border_;
};
