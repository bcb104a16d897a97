#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "input/Key.hpp"
#include "gameplay/Overlay.hpp"

class Font;
class PanelFrame;

// One way to answer the panel: the keys that give it, its label ("S: Save") and what it does
// (run after the panel has closed, so it may open the panel again).
struct PanelAnswer {
    Key key = Key::None;
    Key otherKey = Key::None;
    std::string label;
    std::function<void()> chosen;
};

// A box over the maze, drawn with the game's duct tiles and title font, holding a question or
// a message and its answers, given by their keys or by a click on their labels. The frame loop
// runs on while it is open, so the music plays and a signal still ends the game.
class MessagePanel : public Overlay {
public:
    static constexpr int32_t maxLines = 6;
    static constexpr int32_t maxAnswers = 3;

    MessagePanel();

    // Shows `text`, wrapped to the panel's width (the last line cut short past maxLines), with
    // at most maxAnswers answers.
    void Open(std::string_view text, std::vector<PanelAnswer> answers);
    void Close();
    const std::string& text() const { return text_; }

    // Lights up the label under the pointer; an answer given in this frame (its key pressed,
    // or the left button pressed on its label) closes the panel and runs what it does.
    void HandleInput() override;

private:
    // The index of the answer given in this frame, -1 for none.
    int32_t TakeAnswer();
    void ShowText(bool shown);
    // Places the frame around `lineCount` lines and the answers; gives the top of the first line.
    float LayOutBox(int32_t lineCount);
    void LayOutAnswers(float top);

    Font* font_ = nullptr;  // null without a "Title" font: the box shows, the text does not
    std::string text_;
    std::vector<PanelAnswer> answers_;
    std::array<float, maxAnswers> answerLeft_{};
    std::array<float, maxAnswers> answerRight_{};
    float answerTop_ = 0.0f;
    PanelFrame* frame_ = nullptr;
    std::array<GameObject*, maxLines> lines_{};
    std::array<GameObject*, maxAnswers> labels_{};
};

// Breaks `text` at spaces into lines no wider than `width` pixels in `font` (a word wider
// than that is broken where it must be); a null font counts every byte 10 pixels wide.
std::vector<std::string> WrapText(const Font* font, std::string_view text, float width);
