#pragma once

#include <cstdint>

#include <SDL_keyboard.h>

// The Windows virtual-key code that a key message would carry for this SDL key, which the
// game then translates with TranslateVirtualKey; 0 for a key that has none (it is dropped).
// Letters, digits and the punctuation keys follow the keyboard layout, as virtual keys do;
// every other key, and a layout character with no virtual key of its own, goes by position.
// Both Shifts give VK_SHIFT, both Ctrls VK_CONTROL, both Alts VK_MENU, both Enters VK_RETURN.
uint32_t VirtualKeyFromSdl(const SDL_Keysym& key);
