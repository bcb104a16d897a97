#pragma once

#include "Canvas.hpp"

// Torvel, the player: a round, gold maze sprite with a glowing antenna. The pose stands still;
// the two loop frames bob and swirl as one motion; the "a" variants add a blink or a sparkle.
enum class CreatureFrame { Pose, Woosh1, Woosh1a, Woosh2, Woosh2a };

Canvas DrawCreature(CreatureFrame frame);

// Torvel's pose filling a square of `side` pixels, drawn at that size: the game's icon.
Canvas DrawCreatureIcon(int side);
