#pragma once

#include <array>
#include <cstdint>

#include "gameplay/Overlay.hpp"

class Font;
class PanelFrame;

// One line of the help card: the keys and what they do.
struct HelpLine {
    const char* keys;
    const char* what;
};

// Every key of play and editor, one line each, in the order the card shows them (two columns).
// A new key gets its line here and nowhere else.
inline constexpr HelpLine helpLines[] = {
    {"Arrows, keypad", "walk"},
    {"E, Tab", "editor on / off"},
    {"Ctrl+PgDn / PgUp", "next / previous level"},
    {"F11, Alt+Enter", "fullscreen on / off"},
    {"F1, ?", "these keys"},
    {"Alt+F4", "quit (asks to save)"},
    {"PgDn . / PgUp ,", "next / previous tile"},
    {"Left button", "paint (drag: a line)"},
    {"Right button", "take a cell's tile"},
    {"Shift+left drag", "fill a rectangle"},
    {"Ctrl+left click", "flood fill"},
    {"Shift+right drag", "select"},
    {"Ctrl+C, Ctrl+X", "copy, cut the selection"},
    {"Delete", "floor the selection"},
    {"Ctrl+V", "paste: click drops, Esc not"},
    {"Ctrl+S", "save the level"},
    {"Ctrl+N", "new level"},
    {"Ctrl+Z", "undo"},
    {"Ctrl+Y, Ctrl+Shift+Z", "redo"},
};

// The keys over the maze, in the game's frame and font; any key or button closes it.
class HelpCard : public Overlay {
public:
    static constexpr int32_t mostRows = 15;  // per column

    HelpCard();
    void Open();
    void Close();
    // Any key or button pressed closes the card; it keeps the keys until all are let go.
    void HandleInput() override;

private:
    void ShowText(bool shown);

    bool closing_ = false;
    Font* font_ = nullptr;
    PanelFrame* frame_ = nullptr;
    GameObject* heading_ = nullptr;
    std::array<GameObject*, 2 * mostRows> keys_{};
    std::array<GameObject*, 2 * mostRows> what_{};
};
