#pragma once

#include <SDL.h>

// F11, or Alt with either Enter: the keys that switch between the window and fullscreen. They
// belong to the window, so they do not reach the game as keys.
bool IsFullscreenToggle(const SDL_Keysym& key);

// Switches `window` between its own size and a borderless window over the whole desktop. The
// renderer's logical size keeps the frame's aspect (bars at the sides or top and bottom) and
// maps mouse events back to back-buffer pixels.
void ToggleFullscreen(SDL_Window* window);
