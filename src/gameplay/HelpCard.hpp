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
    {"R", "play again"},
    {"L", "level list"},
    {"E, Tab", "editor on / off"},
    {"Ctrl+PgDn / PgUp", "next / prior level"},
    {"F11, Alt+Enter", "fullscreen"},
    {"Esc (in play)", "the menu"},
    {"M / N", "all sound / music off, on"},
    {"F1, ?", "these keys"},
    {"Alt+F4", "quit"},
    {"PgDn . / PgUp ,", "next / prior tile"},
    {"Left button", "paint"},
    {"Right button", "pick a cell's tile"},
    {"Shift+left drag", "rectangle"},
    {"Ctrl+left click", "flood fill"},
    {"Shift+right drag", "select"},
    {"Ctrl+C / Ctrl+X", "copy / cut it"},
    {"Delete", "clear it to floor"},
    {"Ctrl+V", "paste: click drops"},
    {"Esc", "drop no paste"},
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
