#include "platform/VirtualKeys.hpp"

namespace {

// Characters whose virtual key is fixed by the character, whatever the key's position.
uint32_t VirtualKeyOfCharacter(SDL_Keycode c) {
    if (c >= 'a' && c <= 'z') return uint32_t('A' + (c - 'a'));
    if (c >= '0' && c <= '9') return uint32_t(c);
    switch (c) {
    case ';': return 186;  // VK_OEM_1
    case '=': return 187;  // VK_OEM_PLUS
    case ',': return 188;  // VK_OEM_COMMA
    case '-': return 189;  // VK_OEM_MINUS
    case '.': return 190;  // VK_OEM_PERIOD
    case '/': return 191;  // VK_OEM_2
    case '`': return 192;  // VK_OEM_3
    case '[': return 219;  // VK_OEM_4
    case '\\': return 220; // VK_OEM_5
    case ']': return 221;  // VK_OEM_6
    case '\'': return 222; // VK_OEM_7
    default: return 0;
    }
}

uint32_t VirtualKeyOfPosition(SDL_Scancode s) {
    if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_Z) return uint32_t('A' + (s - SDL_SCANCODE_A));
    if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9) return uint32_t('1' + (s - SDL_SCANCODE_1));
    if (s >= SDL_SCANCODE_F1 && s <= SDL_SCANCODE_F12) return 112 + uint32_t(s - SDL_SCANCODE_F1);
    // F13 to F24 have virtual keys 124 to 135 that the game passes through unnamed.
    if (s >= SDL_SCANCODE_F13 && s <= SDL_SCANCODE_F24) return 124 + uint32_t(s - SDL_SCANCODE_F13);
    if (s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_9) return 97 + uint32_t(s - SDL_SCANCODE_KP_1);
    switch (s) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_BACKSPACE: return 8;
    case SDL_SCANCODE_TAB: return 9;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_RETURN2:
    case SDL_SCANCODE_KP_ENTER: return 13;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return 16;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return 17;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return 18;
    case SDL_SCANCODE_PAUSE: return 19;
    case SDL_SCANCODE_CAPSLOCK: return 20;
    case SDL_SCANCODE_ESCAPE: return 27;
    case SDL_SCANCODE_SPACE: return 32;
    case SDL_SCANCODE_PAGEUP: return 33;
    case SDL_SCANCODE_PAGEDOWN: return 34;
    case SDL_SCANCODE_END: return 35;
    case SDL_SCANCODE_HOME: return 36;
    case SDL_SCANCODE_LEFT: return 37;
    case SDL_SCANCODE_UP: return 38;
    case SDL_SCANCODE_RIGHT: return 39;
    case SDL_SCANCODE_DOWN: return 40;
    case SDL_SCANCODE_PRINTSCREEN: return 44;
    case SDL_SCANCODE_INSERT: return 45;
    case SDL_SCANCODE_DELETE: return 46;
    case SDL_SCANCODE_LGUI: return 91;
    case SDL_SCANCODE_RGUI: return 92;
    case SDL_SCANCODE_APPLICATION:
    case SDL_SCANCODE_MENU: return 93;
    case SDL_SCANCODE_KP_0: return 96;
    case SDL_SCANCODE_KP_MULTIPLY: return 106;
    case SDL_SCANCODE_KP_PLUS: return 107;
    case SDL_SCANCODE_KP_MINUS: return 109;
    case SDL_SCANCODE_KP_PERIOD: return 110;
    case SDL_SCANCODE_KP_DIVIDE: return 111;
    case SDL_SCANCODE_NUMLOCKCLEAR: return 144;
    case SDL_SCANCODE_SCROLLLOCK: return 145;
    case SDL_SCANCODE_MUTE: return 173;
    case SDL_SCANCODE_VOLUMEDOWN: return 174;
    case SDL_SCANCODE_VOLUMEUP: return 175;
    case SDL_SCANCODE_AUDIONEXT: return 176;
    case SDL_SCANCODE_AUDIOPREV: return 177;
    case SDL_SCANCODE_AUDIOSTOP: return 178;
    case SDL_SCANCODE_AUDIOPLAY: return 179;
    case SDL_SCANCODE_SEMICOLON: return 186;
    case SDL_SCANCODE_EQUALS: return 187;
    case SDL_SCANCODE_COMMA: return 188;
    case SDL_SCANCODE_MINUS: return 189;
    case SDL_SCANCODE_PERIOD: return 190;
    case SDL_SCANCODE_SLASH: return 191;
    case SDL_SCANCODE_GRAVE: return 192;
    case SDL_SCANCODE_LEFTBRACKET: return 219;
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH: return 220;
    case SDL_SCANCODE_RIGHTBRACKET: return 221;
    case SDL_SCANCODE_APOSTROPHE: return 222;
    case SDL_SCANCODE_NONUSBACKSLASH: return 226;  // VK_OEM_102
    default: return 0;
    }
}

}  // namespace

uint32_t VirtualKeyFromSdl(const SDL_Keysym& key) {
    // Keypad keys report characters too ('1' on some layouts); they always go by position.
    const bool keypad = key.scancode >= SDL_SCANCODE_KP_DIVIDE && key.scancode <= SDL_SCANCODE_KP_PERIOD;
    if (!keypad) {
        if (const uint32_t vk = VirtualKeyOfCharacter(key.sym)) return vk;
    }
    return VirtualKeyOfPosition(key.scancode);
}
