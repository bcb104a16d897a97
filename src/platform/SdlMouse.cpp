#include "platform/SdlMouse.hpp"

void SdlMouse::Handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_MOUSEMOTION:
        position_ = Vector2(float(event.motion.x), float(event.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        position_ = Vector2(float(event.button.x), float(event.button.y));
        const int index = event.button.button - SDL_BUTTON_LEFT;
        if (index < 0 || index >= buttonCount) break;
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        held_[index] = down;
        if (down) pressedSincePoll_[index] = true;
        break;
    }
    default:
        break;
    }
}

bool SdlMouse::IsDown(int button) const {
    const int index = button - SDL_BUTTON_LEFT;
    if (index < 0 || index >= buttonCount) return false;
    return held_[index] || pressedSincePoll_[index];
}

void SdlMouse::Polled() {
    for (bool& pressed : pressedSincePoll_) pressed = false;
}
