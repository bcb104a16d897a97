#include "input/Key.hpp"

namespace {

constexpr std::string_view names[NamedKeyCount] = {
    "None", "Esc",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "PrintScreen", "ScrollLock", "Pause",
    "Tilde",
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
    "OemMinus", "Equals", "Backspace", "Tab",
    "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P",
    "LeftBracket", "RightBracket", "Backslash", "CapsLock",
    "A", "S", "D", "F", "G", "H", "J", "K", "L",
    "Semicolon", "Apostrophe", "OemEnter", "Shift",
    "Z", "X", "C", "V", "B", "N", "M",
    "Comma", "OemPeriod", "OemSlash", "RightShift", "Ctrl",
    "LeftWindows", "Alt", "Space", "RightWindows", "Application",
    "Left", "Up", "Right", "Down",
    "NumLock", "KeypadSlash", "KeypadAsterisk", "KeypadMinus", "KeypadPlus",
    "Keypad1", "Keypad2", "Keypad3", "Keypad4", "Keypad5", "Keypad6", "Keypad7", "Keypad8",
    "Keypad9", "Keypad0",
    "KeypadPeriod", "KeypadEnter",
    "Insert", "Delete", "Home", "End", "PageUp", "PageDown",
    "LeftMouse", "MiddleMouse", "RightMouse",
    "__END",
};


}  // namespace

std::string_view KeyName(Key key) {
    const auto code = static_cast<int32_t>(key);
    return (code >= 0 && code < NamedKeyCount) ? names[code] : std::string_view();
}

Key KeyFromName(std::string_view name) {
    for (int32_t code = 0; code < NamedKeyCount; ++code) {
        if (names[code] == name) return static_cast<Key>(code);
    }
    return Key::None;
}

Key TranslateVirtualKey(uint32_t vk) {
    if (vk >= 0x30 && vk <= 0x39) {  // digit keys: "1" is 18 ... "9" is 26, "0" is 27
        return vk == 0x30 ? Key::D0 : static_cast<Key>(int32_t(Key::D1) + int32_t(vk - 0x31));
    }
    static constexpr Key letters[26] = {
        Key::A, Key::B, Key::C, Key::D, Key::E, Key::F, Key::G, Key::H, Key::I,
        Key::J, Key::K, Key::L, Key::M, Key::N, Key::O, Key::P, Key::Q, Key::R,
        Key::S, Key::T, Key::U, Key::V, Key::W, Key::X, Key::Y, Key::Z,
    };
    if (vk >= 0x41 && vk <= 0x5A) return letters[vk - 0x41];
    if (vk >= 96 && vk <= 105) {  // VK_NUMPAD0 .. VK_NUMPAD9
        return vk == 96 ? Key::Keypad0 : static_cast<Key>(int32_t(Key::Keypad1) + int32_t(vk - 97));
    }
    if (vk >= 112 && vk <= 123) return static_cast<Key>(int32_t(Key::F1) + int32_t(vk - 112));
    switch (vk) {
    case 8: return Key::Backspace;
    case 9: return Key::Tab;
    case 13: return Key::OemEnter;
    case 16: return Key::Shift;
    case 17: return Key::Ctrl;
    case 18: return Key::Alt;
    case 19: return Key::Pause;
    case 20: return Key::CapsLock;
    case 27: return Key::Esc;
    case 32: return Key::Space;
    case 33: return Key::PageUp;
    case 34: return Key::PageDown;
    case 35: return Key::End;
    case 36: return Key::Home;
    case 37: return Key::Left;
    case 38: return Key::Up;
    case 39: return Key::Right;
    case 40: return Key::Down;
    case 44: return Key::PrintScreen;
    case 45: return Key::Insert;
    case 46: return Key::Delete;
    case 91: return Key::LeftWindows;
    case 92: return Key::RightWindows;
    case 93: return Key::Application;
    case 106: return Key::KeypadAsterisk;
    case 107: return Key::KeypadPlus;
    case 109: return Key::KeypadMinus;
    case 110: return Key::KeypadPeriod;
    case 111: return Key::KeypadSlash;
    case 144: return Key::NumLock;
    case 145: return Key::ScrollLock;
    case 186: return Key::Semicolon;
    case 187: return Key::Equals;
    case 188: return Key::Comma;
    case 189: return Key::OemMinus;
    case 190: return Key::OemPeriod;
    case 191: return Key::OemSlash;
    case 192: return Key::Tilde;
    case 219: return Key::LeftBracket;
    case 220: return Key::Backslash;
    case 221: return Key::RightBracket;
    case 222: return Key::Apostrophe;
    default: return static_cast<Key>(vk);
    }
}
