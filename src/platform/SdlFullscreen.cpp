#include "platform/SdlFullscreen.hpp"

bool IsFullscreenToggle(const SDL_Keysym& key) {
    if (key.scancode == SDL_SCANCODE_F11) return true;
    const bool enter = key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER;
    return enter && (key.mod & KMOD_ALT);
}

void ToggleFullscreen(SDL_Window* window) {
    const bool fullscreen = SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(window, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}
