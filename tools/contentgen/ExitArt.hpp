#pragma once

#include "Canvas.hpp"

// The way out, 64 x 64: the floor with a round brass hatch in it, open onto a bright glow.
// Its light centre tells it from the dim floor and from the start even without colour.
Canvas DrawExit();
