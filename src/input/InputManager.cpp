#include "input/InputManager.hpp"

void InputManager::BeginFrame() {
    previousKeys = keys;
    previousMousePosition = mousePosition;
}

void InputManager::SetKey(Key key, bool down) { keys.set(static_cast<size_t>(key), down); }

void InputManager::Bind(Action action, Key key) { bindings.emplace(action, key); }

void InputManager::PollMouse(Vector2 position, bool left, bool middle, bool right) {
    mousePosition = position;
    SetKey(Key::LeftMouse, left);
    SetKey(Key::MiddleMouse, middle);
    SetKey(Key::RightMouse, right);
}

bool InputManager::IsKeyDown(Key key) const { return keys.test(static_cast<size_t>(key)); }

bool InputManager::IsKeyPressed(Key key) const {
    return keys.test(static_cast<size_t>(key)) && !previousKeys.test(static_cast<size_t>(key));
}

bool InputManager::IsActionActive(Action action, const KeySet& set) const {
    auto [begin, end] = bindings.equal_range(action);
    for (auto it = begin; it != end; ++it) {
        if (set.test(static_cast<size_t>(it->second))) return true;
    }
    return false;
}

bool InputManager::IsActionDown(Action action) const { return IsActionActive(action, keys); }

bool InputManager::IsActionPressed(Action action) const {
    return IsActionActive(action, keys) && !IsActionActive(action, previousKeys);
}
