#include "gameplay/FinishCard.hpp"

#include <cmath>

#include "core/Services.hpp"
#include "gameplay/PanelFrame.hpp"
#include "gameplay/PanelText.hpp"
#include "graphics/Font.hpp"
#include "graphics/FontManager.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "scene/TextComponent.hpp"

namespace {

constexpr float piece = PanelFrame::piece;
constexpr float boxLeft = 112.0f;
constexpr int32_t piecesAcross = 18;  // 576 pixels
constexpr float boxWidth = float(piecesAcross) * piece;
constexpr float textLeft = boxLeft + piece + 16.0f;
constexpr float gridHeight = 576.0f;  // centred on the maze, above the strip
constexpr float answerSpace = 14.0f;

}  // namespace

FinishCard::FinishCard() {
    font_ = Services::fonts->GetFont("Title");
    frame_ = AddChild(new PanelFrame());
    for (auto& line : lines_) line = AddPanelText(*this, font_, panelTextColor);
    lines_[0]->text->color = panelChosenColor;
    answers_ = AddPanelText(*this, font_, panelAnswerColor);
    answers_->text->text = "Enter: Next level     R: Again     L: Levels";
}

void FinishCard::Show(bool shown) {
    const int32_t layer = shown ? 2 : 0;
    for (GameObject* line : lines_) line->text->layer = layer;
    answers_->text->layer = layer;
}

void FinishCard::Open(const std::vector<std::string>& lines, Choices choices) {
    choices_ = std::move(choices);
    const float lineHeight = font_ ? font_->lineHeight : 22.0f;
    const int32_t count = int32_t(std::min(lines.size(), size_t(maxLines)));
    const float content = float(count + 1) * lineHeight + answerSpace;
    const int32_t down = int32_t(std::ceil(content / piece)) + 2;
    const float top = std::floor((gridHeight - float(down) * piece) * 0.5f);
    frame_->Place(boxLeft, top, piecesAcross, down);
    const float first = std::floor(top + piece + (float(down - 2) * piece - content) * 0.5f);
    for (int32_t i = 0; i < maxLines; ++i) {
        GameObject& line = *lines_[size_t(i)];
        line.text->text = i < count ? lines[size_t(i)] : std::string();
        line.pos2d->position = Vector2(textLeft, first + float(i) * lineHeight);
    }
    const float answersWidth = PanelTextWidth(font_, answers_->text->text);
    answers_->pos2d->position =
        Vector2(std::floor(boxLeft + (boxWidth - answersWidth) * 0.5f), first + float(count) * lineHeight + answerSpace);
    Show(true);
    open_ = true;
}

void FinishCard::Close() {
    open_ = false;
    frame_->Hide();
    Show(false);
}

std::vector<std::string> FinishCard::Lines() const {
    std::vector<std::string> shown;
    for (const GameObject* line : lines_) {
        if (!line->text->text.empty()) shown.push_back(line->text->text);
    }
    shown.push_back(answers_->text->text);
    return shown;
}

void FinishCard::HandleInput() {
    if (!open_) return;
    const InputManager& input = *Services::input;
    std::function<void()> chosen;
    if (input.IsActionPressed(Action::Confirm) || input.IsKeyPressed(Key::PadA)) chosen = choices_.next;
    else if (input.IsActionPressed(Action::Restart)) chosen = choices_.again;
    else if (input.IsActionPressed(Action::LevelList)) chosen = choices_.list;
    else return;
    Close();
    if (chosen) chosen();
}
