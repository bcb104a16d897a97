#pragma once

#include <bitset>
#include <cstdint>
#include <string_view>

// The game's own key codes, mouse buttons included. Codes 107 to 255 have no names but can
// still arise from platform keys that the translation passes through unchanged.
enum class Key : int32_t {
    None = 0, Esc,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    PrintScreen, ScrollLock, Pause,
    Tilde,
    D1, D2, D3, D4, D5, D6, D7, D8, D9, D0,
    OemMinus, Equals, Backspace, Tab,
    Q, W, E, R, T, Y, U, I, O, P,
    LeftBracket, RightBracket, Backslash, CapsLock,
    A, S, D, F, G, H, J, K, L,
    Semicolon, Apostrophe, OemEnter, Shift,
    Z, X, C, V, B, N, M,
    Comma, OemPeriod, OemSlash, RightShift, Ctrl,
    LeftWindows, Alt, Space, RightWindows, Application,
    Left, Up, Right, Down,
    NumLock, KeypadSlash, KeypadAsterisk, KeypadMinus, KeypadPlus,
    Keypad1, Keypad2, Keypad3, Keypad4, Keypad5, Keypad6, Keypad7, Keypad8, Keypad9, Keypad0,
    KeypadPeriod, KeypadEnter,
    Insert, Delete, Home, End, PageUp, PageDown,
    LeftMouse, MiddleMouse, RightMouse,
    End_ = 106,  // "__END", the end marker
    // A game controller's buttons for the menu. Unnamed, so no key-mapping file binds them;
    // codes no platform key translates to.
    PadA = 151, PadB, PadStart,
};

inline constexpr int32_t NamedKeyCount = 107;

// Bit n stands for key code n; a set bit means the key is down.
using KeySet = std::bitset<256>;

// The name of a named code (0 to 106), as written in the key-mapping file; empty otherwise.
std::string_view KeyName(Key key);

// The code whose name equals `name` exactly; "None" (0) for any other text.
Key KeyFromName(std::string_view name);

// Windows virtual-key code (as carried by the platform's key messages) to the game's code.
// Listed codes map to the key of the same meaning; every other code passes through unchanged.
Key TranslateVirtualKey(uint32_t virtualKey);
