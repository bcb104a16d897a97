#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "gameplay/Overlay.hpp"

class Font;
class PanelFrame;

// The card over the maze when a level is finished: a few lines (the level, the moves and the
// time, the best so far) and the ways on, each an action so the keys can be rebound.
class FinishCard : public Overlay {
public:
    static constexpr int32_t maxLines = 5;

    struct Choices {
        std::function<void()> next;   // Confirm (Enter)
        std::function<void()> again;  // Restart (R)
        std::function<void()> list;   // LevelList (L)
    };

    FinishCard();

    // Shows the first maxLines of `lines`, the first as the heading.
    void Open(const std::vector<std::string>& lines, Choices choices);
    void Close();
    // The lines shown, the answers' line last.
    std::vector<std::string> Lines() const;

    // A choice's action pressed closes the card, then runs the choice.
    void HandleInput() override;

private:
    void Show(bool shown);

    Font* font_ = nullptr;
    PanelFrame* frame_ = nullptr;
    std::array<GameObject*, maxLines> lines_{};
    GameObject* answers_ = nullptr;
    Choices choices_;
};
