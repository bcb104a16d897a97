#include <SDL.h>
#include <gtest/gtest.h>

#include "core/VirtualKeys.hpp"
#include "input/Key.hpp"

namespace {

uint32_t Vk(SDL_Scancode scancode, SDL_Keycode sym) {
    SDL_Keysym key{};
    key.scancode = scancode;
    key.sym = sym;
    return VirtualKeyFromSdl(key);
}

// The key the game sees for a key known only by its position.
Key GameKey(SDL_Scancode scancode) { return TranslateVirtualKey(Vk(scancode, SDL_SCANCODE_TO_KEYCODE(scancode))); }

TEST(VirtualKeyFromSdl, BothKeysOfAPairGiveOneCode) {
    EXPECT_EQ(Vk(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT), 16u);
    EXPECT_EQ(Vk(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT), 16u);
    EXPECT_EQ(Vk(SDL_SCANCODE_LCTRL, SDLK_LCTRL), 17u);
    EXPECT_EQ(Vk(SDL_SCANCODE_RCTRL, SDLK_RCTRL), 17u);
    EXPECT_EQ(Vk(SDL_SCANCODE_LALT, SDLK_LALT), 18u);
    EXPECT_EQ(Vk(SDL_SCANCODE_RALT, SDLK_RALT), 18u);
    EXPECT_EQ(Vk(SDL_SCANCODE_RETURN, SDLK_RETURN), 13u);
    EXPECT_EQ(Vk(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), 13u);
}

TEST(VirtualKeyFromSdl, EveryKeyOfAUsKeyboardReachesItsGameKey) {
    const std::pair<SDL_Scancode, Key> keys[] = {
        {SDL_SCANCODE_ESCAPE, Key::Esc},         {SDL_SCANCODE_F1, Key::F1},
        {SDL_SCANCODE_F12, Key::F12},            {SDL_SCANCODE_PRINTSCREEN, Key::PrintScreen},
        {SDL_SCANCODE_SCROLLLOCK, Key::ScrollLock}, {SDL_SCANCODE_PAUSE, Key::Pause},
        {SDL_SCANCODE_GRAVE, Key::Tilde},        {SDL_SCANCODE_1, Key::D1},
        {SDL_SCANCODE_0, Key::D0},               {SDL_SCANCODE_MINUS, Key::OemMinus},
        {SDL_SCANCODE_EQUALS, Key::Equals},      {SDL_SCANCODE_BACKSPACE, Key::Backspace},
        {SDL_SCANCODE_TAB, Key::Tab},            {SDL_SCANCODE_Q, Key::Q},
        {SDL_SCANCODE_P, Key::P},                {SDL_SCANCODE_LEFTBRACKET, Key::LeftBracket},
        {SDL_SCANCODE_RIGHTBRACKET, Key::RightBracket}, {SDL_SCANCODE_BACKSLASH, Key::Backslash},
        {SDL_SCANCODE_CAPSLOCK, Key::CapsLock},  {SDL_SCANCODE_A, Key::A},
        {SDL_SCANCODE_L, Key::L},                {SDL_SCANCODE_SEMICOLON, Key::Semicolon},
        {SDL_SCANCODE_APOSTROPHE, Key::Apostrophe}, {SDL_SCANCODE_RETURN, Key::OemEnter},
        {SDL_SCANCODE_LSHIFT, Key::Shift},       {SDL_SCANCODE_Z, Key::Z},
        {SDL_SCANCODE_M, Key::M},                {SDL_SCANCODE_COMMA, Key::Comma},
        {SDL_SCANCODE_PERIOD, Key::OemPeriod},   {SDL_SCANCODE_SLASH, Key::OemSlash},
        {SDL_SCANCODE_RSHIFT, Key::Shift},       {SDL_SCANCODE_LCTRL, Key::Ctrl},
        {SDL_SCANCODE_LGUI, Key::LeftWindows},   {SDL_SCANCODE_LALT, Key::Alt},
        {SDL_SCANCODE_SPACE, Key::Space},        {SDL_SCANCODE_RGUI, Key::RightWindows},
        {SDL_SCANCODE_APPLICATION, Key::Application}, {SDL_SCANCODE_LEFT, Key::Left},
        {SDL_SCANCODE_UP, Key::Up},              {SDL_SCANCODE_RIGHT, Key::Right},
        {SDL_SCANCODE_DOWN, Key::Down},          {SDL_SCANCODE_NUMLOCKCLEAR, Key::NumLock},
        {SDL_SCANCODE_KP_DIVIDE, Key::KeypadSlash}, {SDL_SCANCODE_KP_MULTIPLY, Key::KeypadAsterisk},
        {SDL_SCANCODE_KP_MINUS, Key::KeypadMinus}, {SDL_SCANCODE_KP_PLUS, Key::KeypadPlus},
        {SDL_SCANCODE_KP_1, Key::Keypad1},       {SDL_SCANCODE_KP_9, Key::Keypad9},
        {SDL_SCANCODE_KP_0, Key::Keypad0},       {SDL_SCANCODE_KP_PERIOD, Key::KeypadPeriod},
        {SDL_SCANCODE_KP_ENTER, Key::OemEnter},  {SDL_SCANCODE_INSERT, Key::Insert},
        {SDL_SCANCODE_DELETE, Key::Delete},      {SDL_SCANCODE_HOME, Key::Home},
        {SDL_SCANCODE_END, Key::End},            {SDL_SCANCODE_PAGEUP, Key::PageUp},
        {SDL_SCANCODE_PAGEDOWN, Key::PageDown},
    };
    for (const auto& [scancode, key] : keys) {
        EXPECT_EQ(GameKey(scancode), key) << SDL_GetScancodeName(scancode);
    }
}

TEST(VirtualKeyFromSdl, KeysWithoutAGameKeyPassThroughOrAreDropped) {
    EXPECT_EQ(Vk(SDL_SCANCODE_F13, SDLK_F13), 124u);
    EXPECT_EQ(int32_t(GameKey(SDL_SCANCODE_F13)), 124);
    EXPECT_EQ(Vk(SDL_SCANCODE_F24, SDLK_F24), 135u);
    EXPECT_EQ(Vk(SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS), 226u);
    EXPECT_EQ(Vk(SDL_SCANCODE_KP_EQUALS, SDLK_KP_EQUALS), 0u);
}

TEST(VirtualKeyFromSdl, LettersFollowTheLayoutOtherCharactersThePosition) {
    // On a French layout the key in the place of Q types "a", and the digit row types accents.
    EXPECT_EQ(Vk(SDL_SCANCODE_Q, SDLK_a), uint32_t('A'));
    EXPECT_EQ(Vk(SDL_SCANCODE_M, SDLK_COMMA), 188u);
    EXPECT_EQ(Vk(SDL_SCANCODE_2, 0xE9), uint32_t('2'));
    EXPECT_EQ(Vk(SDL_SCANCODE_1, SDLK_AMPERSAND), uint32_t('1'));
    // Keypad keys stay keypad keys whatever character they report.
    EXPECT_EQ(Vk(SDL_SCANCODE_KP_5, SDLK_5), 101u);
}

}  // namespace
