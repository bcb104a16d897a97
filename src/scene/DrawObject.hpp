#pragma once

#include <cstdint>

class GameObject;
class SpriteBatch;

// Draws `object` and its subtree for layer 1 or 2 into the open batch, in pre-order.
void DrawObject(GameObject& object, int32_t layer, SpriteBatch& batch);

// One frame of the tree: layer 1 in one batch, then layer 2 in another, so that
// everything of layer 2 lies over layer 1.
void DrawScene(GameObject& root, SpriteBatch& batch);
