#include "gameplay/MessagePanel.hpp"

#include <algorithm>
#include <cmath>

#include "core/Services.hpp"
#include "gameplay/PanelFrame.hpp"
#include "gameplay/PanelText.hpp"
#include "graphics/Font.hpp"
#include "graphics/FontManager.hpp"
#include "scene/TextComponent.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"

namespace {

constexpr float piece = PanelFrame::piece;
constexpr float boxLeft = 80.0f;
constexpr float boxWidth = 640.0f;
constexpr int32_t piecesAcross = int32_t(boxWidth / piece);
constexpr int32_t maxPiecesDown = 8;
constexpr float padding = 10.0f;
constexpr float answerSpace = 12.0f;  // between the text and the answers
constexpr float answerGap = 40.0f;
constexpr float textLeft = boxLeft + piece + 16.0f;
constexpr float textWidth = boxWidth - 2.0f * (piece + 16.0f);
constexpr float gridHeight = 576.0f;  // the box is centred on the maze, above the title strip

constexpr Color textColor = panelTextColor;
constexpr Color answerColor = panelAnswerColor;
constexpr Color hoverColor = panelChosenColor;

}  // namespace

std::vector<std::string> WrapText(const Font* font, std::string_view text, float width) {
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find(' ', at), text.size());
        std::string_view word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        const std::string joined = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (PanelTextWidth(font, joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line.clear();
        // A word wider than a line (a long path) is cut where it must be.
        while (PanelTextWidth(font, word) > width) {
            size_t fits = 1;
            while (fits < word.size() && PanelTextWidth(font, word.substr(0, fits + 1)) <= width) ++fits;
            lines.emplace_back(word.substr(0, fits));
            word.remove_prefix(fits);
        }
        line = std::string(word);
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

MessagePanel::MessagePanel() {
    font_ = Services::fonts->GetFont("Title");
    frame_ = AddChild(new PanelFrame());
    for (auto& line : lines_) line = AddPanelText(*this, font_, textColor);
    for (auto& label : labels_) label = AddPanelText(*this, font_, answerColor);
    ShowText(false);
}

void MessagePanel::ShowText(bool shown) {
    const int32_t layer = shown ? 2 : 0;  // over the player and the cursor, or never drawn
    for (GameObject* line : lines_) line->text->layer = layer;
    for (GameObject* label : labels_) label->text->layer = layer;
}

void MessagePanel::Open(std::string_view text, std::vector<PanelAnswer> answers) {
    text_ = std::string(text);
    answers_ = std::move(answers);
    if (answers_.size() > size_t(maxAnswers)) answers_.resize(size_t(maxAnswers));
    std::vector<std::string> wrapped = WrapText(font_, text, textWidth);
    if (wrapped.size() > size_t(maxLines)) {
        wrapped.resize(size_t(maxLines));
        wrapped.back() += " ...";
    }
    ShowText(true);
    const float lineHeight = font_ ? font_->lineHeight : 22.0f;
    const int32_t count = int32_t(wrapped.size());
    const float top = LayOutBox(count);
    for (int32_t i = 0; i < maxLines; ++i) {
        GameObject& line = *lines_[size_t(i)];
        line.text->text = i < count ? wrapped[size_t(i)] : std::string();
        line.pos2d->position = Vector2(textLeft, top + float(i) * lineHeight);
    }
    LayOutAnswers(top + float(count) * lineHeight + answerSpace);
    open_ = true;
}

float MessagePanel::LayOutBox(int32_t lineCount) {
    const float lineHeight = font_ ? font_->lineHeight : 22.0f;
    const float content = float(lineCount + 1) * lineHeight + answerSpace;
    const int32_t down = std::clamp(int32_t(std::ceil((content + 2.0f * padding) / piece)) + 2, 3, maxPiecesDown);
    const float height = float(down) * piece;
    const float top = std::floor((gridHeight - height) * 0.5f);
    frame_->Place(boxLeft, top, piecesAcross, down);
    return std::floor(top + piece + (height - 2.0f * piece - content) * 0.5f);
}

void MessagePanel::LayOutAnswers(float top) {
    float total = 0.0f;
    for (const PanelAnswer& answer : answers_) total += PanelTextWidth(font_, answer.label);
    total += answerGap * float(std::max<size_t>(answers_.size(), 1) - 1);
    float x = std::floor(boxLeft + (boxWidth - total) * 0.5f);
    answerTop_ = top;
    for (size_t i = 0; i < size_t(maxAnswers); ++i) {
        GameObject& label = *labels_[i];
        label.text->text = i < answers_.size() ? answers_[i].label : std::string();
        label.text->color = answerColor;
        label.pos2d->position = Vector2(x, top);
        if (i >= answers_.size()) continue;
        answerLeft_[i] = x;
        answerRight_[i] = x + PanelTextWidth(font_, answers_[i].label);
        x = answerRight_[i] + answerGap;
    }
}

void MessagePanel::Close() {
    open_ = false;
    frame_->Hide();
    ShowText(false);
}

void MessagePanel::HandleInput() {
    const int32_t given = TakeAnswer();
    if (given < 0) return;
    const std::function<void()> chosen = answers_[size_t(given)].chosen;
    Close();
    if (chosen) chosen();
}

int32_t MessagePanel::TakeAnswer() {
    if (!open_) return -1;
    const InputManager& input = *Services::input;
    const float lineHeight = font_ ? font_->lineHeight : 22.0f;
    const Vector2 pointer = input.mousePosition;
    int32_t hovered = -1;
    for (size_t i = 0; i < answers_.size(); ++i) {
        const bool over = pointer.x >= answerLeft_[i] && pointer.x < answerRight_[i] && pointer.y >= answerTop_ &&
                          pointer.y < answerTop_ + lineHeight;
        labels_[i]->text->color = over ? hoverColor : answerColor;
        if (over) hovered = int32_t(i);
    }
    for (size_t i = 0; i < answers_.size(); ++i) {
        const PanelAnswer& answer = answers_[i];
        if (input.IsKeyPressed(answer.key)) return int32_t(i);
        if (answer.otherKey != Key::None && input.IsKeyPressed(answer.otherKey)) return int32_t(i);
    }
    if (hovered >= 0 && input.IsKeyPressed(Key::LeftMouse)) return hovered;
    return -1;
}
