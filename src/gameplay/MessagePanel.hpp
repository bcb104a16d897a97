#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input/Key.hpp"
#include "scene/GameObject.hpp"

class Font;

// One way to answer the panel: the keys that give it and its label ("S: Save").
struct PanelAnswer {
    Key key = Key::None;
    Key otherKey = Key::None;
    std::string label;
};

// A box over the maze, drawn with the game's duct tiles and title font, holding a question or
// a message and its answers, given by their keys or by a click on their labels. The frame loop
// runs on while it is open, so the music plays and a signal still ends the game. Built once
// and hidden while closed: nothing joins the scene tree while the game runs.
class MessagePanel : public GameObject {
public:
    static constexpr int32_t maxLines = 6;
    static constexpr int32_t maxAnswers = 3;

    MessagePanel();

    // Shows `text`, wrapped to the panel's width (the last line cut short past maxLines), with
    // at most maxAnswers answers.
    void Open(std::string_view text, std::vector<PanelAnswer> answers);
    void Close();
    bool IsOpen() const { return open_; }
    const std::string& text() const { return text_; }

    // The index of the answer given in this frame (its key pressed, or the left button pressed
    // on its label), -1 for none. Lights up the label under the pointer.
    int32_t TakeAnswer();

private:
    void Show(bool shown);
    // Places the frame and the fill around `lineCount` lines and the answers; gives the top
    // of the first line.
    float LayOutBox(int32_t lineCount);
    void LayOutAnswers(float top);

    Font* font_ = nullptr;  // null without a "Title" font: the box shows, the text does not
    bool open_ = false;
    std::string text_;
    std::vector<PanelAnswer> answers_;
    std::array<float, maxAnswers> answerLeft_{};
    std::array<float, maxAnswers> answerRight_{};
    float answerTop_ = 0.0f;
    // The floor picture is mostly clear, so the fill is that picture drawn darkened four times over.
    std::array<GameObject*, 4> fill_{};
    std::vector<GameObject*> border_;
    std::array<GameObject*, maxLines> lines_{};
    std::array<GameObject*, maxAnswers> labels_{};
};

// Breaks `text` at spaces into lines no wider than `width` pixels in `font` (a word wider
// than that is broken where it must be); a null font counts every byte 10 pixels wide.
std::vector<std::string> WrapText(const Font* font, std::string_view text, float width);
