#include <SDL.h>
#include <gtest/gtest.h>

#include <sstream>

#include "input/Key.hpp"
#include "platform/VirtualKeys.hpp"

namespace {

uint32_t Vk(SDL_Scancode scancode, SDL_Keycode sym) {
    return VirtualKeyFromSdl(SDL_Keysym{scancode, sym, 0, 0});
}

// Through both tables: an SDL key, by SDL's name, to its virtual key, and that to the game's key.
TEST(VirtualKeyFromSdl, TheKeysOfAUsKeyboardReachTheirGameKeys) {
    std::istringstream pairs(
        "Escape=Esc;F1=F1;F12=F12;`=Tilde;1=1;0=0;-=OemMinus;Backspace=Backspace;Tab=Tab;A=A;Z=Z;"
        "'=Apostrophe;Return=OemEnter;Keypad Enter=OemEnter;Left Shift=Shift;Right Shift=Shift;"
        "Left Ctrl=Ctrl;Right Ctrl=Ctrl;Left Alt=Alt;Right Alt=Alt;,=Comma;.=OemPeriod;Space=Space;"
        "Application=Application;Left=Left;Down=Down;Keypad /=KeypadSlash;Keypad 1=Keypad1;"
        "Keypad 0=Keypad0;Keypad .=KeypadPeriod;Delete=Delete;PageUp=PageUp;PageDown=PageDown");
    for (std::string pair; std::getline(pairs, pair, ';');) {
        const SDL_Scancode scancode = SDL_GetScancodeFromName(pair.substr(0, pair.find('=')).c_str());
        const uint32_t vk = Vk(scancode, SDL_SCANCODE_TO_KEYCODE(scancode));
        EXPECT_EQ(KeyName(TranslateVirtualKey(vk)), pair.substr(pair.find('=') + 1)) << pair;
    }
}

TEST(VirtualKeyFromSdl, LettersFollowTheLayoutTheRestThePositionAndUnknownKeysPassThroughOrDrop) {
    // On a French layout the key in the place of Q types "a", and the digit row types accents;
    // a keypad key stays one whatever it types.
    const std::tuple<SDL_Scancode, SDL_Keycode, uint32_t> keys[] = {
        {SDL_SCANCODE_Q, SDLK_a, 'A'},
        {SDL_SCANCODE_Y, SDLK_z, 'Z'},  // German
        {SDL_SCANCODE_P, SDLK_0, '0'},  // the character decides, wherever its key is
        {SDL_SCANCODE_O, SDLK_9, '9'},
        {SDL_SCANCODE_M, SDLK_COMMA, 188},
        {SDL_SCANCODE_2, 0xE9, '2'},
        {SDL_SCANCODE_KP_5, SDLK_5, 101},
        {SDL_SCANCODE_F13, SDLK_F13, 124},
        {SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS, 226},
        {SDL_SCANCODE_KP_EQUALS, SDLK_KP_EQUALS, 0}};
    for (const auto& [scancode, sym, vk] : keys)
        EXPECT_EQ(Vk(scancode, sym), vk) << SDL_GetScancodeName(scancode);
    // Virtual keys the game has no key for pass through as their own codes.
    for (uint32_t vk : {0u, 3u, 10u, 47u, 95u, 108u, 124u, 146u, 193u, 223u, 255u})
        EXPECT_EQ(uint32_t(TranslateVirtualKey(vk)), vk);
}

}  // namespace
