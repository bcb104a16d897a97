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
    Restart,    // the shown level from its start
    LevelList,  // the list of levels
    Confirm,    // the card's or the list's choice
    Back,       // closes the list
};

struct ActionNames {
    static constexpr int32_t count = 15;
    const char* const names[count] = {
        "MoveUp",          "MoveDown",       "MoveLeft",       "MoveRight",          "EditorToggle",
        "EditorPlaceTile", "EditorCopyTile", "EditorNextTile", "EditorPreviousTile", "MuteAll",
        "MuteMusic",       "Restart",        "LevelList",      "Confirm",            "Back",
    };
    virtual ~ActionNames() = default;
};
