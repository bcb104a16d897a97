#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gameplay/Overlay.hpp"

class Font;
class PanelFrame;

// One level as the list shows it: its name and how it stands ("solved  12 moves  0:08.1").
struct LevelListRow {
    std::string name;
    std::string status;
};

// The list of levels over the maze: the movement actions (arrow keys, d-pad) move the
// selection, Confirm plays it, Back closes the list. More levels than fit scroll.
class LevelListPanel : public Overlay {
public:
    static constexpr int32_t visibleRows = 10;

    LevelListPanel();

    // Shows `rows` with `selected` chosen; `chosen(index)` runs after the list closed with a
    // choice, `closed()` after it closed without one.
    void Open(std::vector<LevelListRow> rows, int32_t selected, std::function<void(int32_t)> chosen,
              std::function<void()> closed);
    void Close();

    int32_t selected() const { return selected_; }
    // The lines shown, as "name | status", the chosen one marked with "> ".
    std::vector<std::string> ShownRows() const;

    void HandleInput() override;

private:
    void Show(bool shown);
    void Scroll();

    Font* font_ = nullptr;
    PanelFrame* frame_ = nullptr;
    GameObject* heading_ = nullptr;
    GameObject* hint_ = nullptr;
    std::array<GameObject*, visibleRows> names_{};
    std::array<GameObject*, visibleRows> statuses_{};
    std::vector<LevelListRow> rows_;
    int32_t selected_ = 0;
    int32_t first_ = 0;  // the row shown at the top
    std::function<void(int32_t)> chosen_;
    std::function<void()> closed_;
};
