#pragma once

#include <cstdint>

// An action is identified by its index in the ActionNames table, never by its text.
enum class Action : int32_t {
    MoveUp = 0,
    MoveDown,
    MoveLeft,
    MoveRight,
    EditorToggle,
    EditorPlaceTile,
    EditorCopyTile,
    EditorNextTile,
    EditorPreviousTile,
    MuteAll,
    MuteMusic,
};

struct ActionNames {
    static constexpr int32_t count = 11;
    const char* const names[count] = {
        "MoveUp",          "MoveDown",       "MoveLeft",       "MoveRight",          "EditorToggle",
        "EditorPlaceTile", "EditorCopyTile", "EditorNextTile", "EditorPreviousTile",
        "MuteAll",         "MuteMusic",
    };
    virtual ~ActionNames() = default;
};
