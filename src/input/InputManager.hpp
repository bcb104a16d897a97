#pragma once

#include <map>

#include "core/ActionNames.hpp"
#include "core/Vector2.hpp"
#include "input/Key.hpp"

// The keyboard and mouse as the behaviours see them: keys down now and one frame ago, the
// mouse position in back-buffer pixels, and the keys bound to each action.
class InputManager {
public:
    virtual ~InputManager() = default;

    // Previous := current. Once per frame, before the messages are pumped.
    void BeginFrame();
    // Sets or clears one key. A code of 256 or more throws std::out_of_range.
    void SetKey(Key key, bool down);
    // Adds one more key to `action`; the same pair may be bound twice.
    void Bind(Action action, Key key);
    // Stores the pointer position and the three buttons read by the platform.
    void PollMouse(Vector2 position, bool left, bool middle, bool right);

    bool IsKeyDown(Key key) const;
    bool IsKeyPressed(Key key) const;
    // True when any key bound to `action` is set in `set`.
    bool IsActionActive(Action action, const KeySet& set) const;
    bool IsActionDown(Action action) const;
    bool IsActionPressed(Action action) const;

    Vector2 mousePosition;  // pixels from the client area's top-left; not clamped
    Vector2 previousMousePosition;
    KeySet keys;
    KeySet previousKeys;
    std::multimap<Action, Key> bindings;
};
