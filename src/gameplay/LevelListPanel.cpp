#include "gameplay/LevelListPanel.hpp"

#include <algorithm>
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
constexpr float boxLeft = 80.0f;
constexpr int32_t piecesAcross = 20;  // 640 pixels
constexpr int32_t piecesDown = 14;    // 448 pixels
constexpr float boxTop = 64.0f;       // centred on the 576 pixels of the maze
constexpr float textLeft = boxLeft + piece + 12.0f;
constexpr float statusLeft = textLeft + 250.0f;
constexpr float rowSpace = 2.0f;

}  // namespace

LevelListPanel::LevelListPanel() {
    font_ = Services::fonts->GetFont("Title");
    frame_ = AddChild(new PanelFrame());
    heading_ = AddPanelText(*this, font_, panelChosenColor);
    for (auto& name : names_) name = AddPanelText(*this, font_, panelTextColor);
    for (auto& status : statuses_) status = AddPanelText(*this, font_, panelTextColor);
    hint_ = AddPanelText(*this, font_, panelAnswerColor);
    hint_->text->text = "Up, Down: choose     Enter: play     Esc: close";
    const float lineHeight = font_ ? font_->lineHeight : 22.0f;
    const float top = boxTop + piece + 4.0f;
    heading_->pos2d->position = Vector2(textLeft, top);
    for (int32_t i = 0; i < visibleRows; ++i) {
        const float y = top + (float(i) + 1.5f) * (lineHeight + rowSpace);
        names_[size_t(i)]->pos2d->position = Vector2(textLeft, y);
        statuses_[size_t(i)]->pos2d->position = Vector2(statusLeft, y);
    }
    const float hintWidth = PanelTextWidth(font_, hint_->text->text);
    hint_->pos2d->position = Vector2(std::floor(boxLeft + (float(piecesAcross) * piece - hintWidth) * 0.5f),
                                     top + (float(visibleRows) + 2.0f) * (lineHeight + rowSpace));
}

void LevelListPanel::Show(bool shown) {
    const int32_t layer = shown ? 2 : 0;
    heading_->text->layer = layer;
    hint_->text->layer = layer;
    for (GameObject* name : names_) name->text->layer = layer;
    for (GameObject* status : statuses_) status->text->layer = layer;
}

void LevelListPanel::Open(std::vector<LevelListRow> rows, int32_t selected, std::function<void(int32_t)> chosen,
                     std::function<void()> closed) {
    rows_ = std::move(rows);
    chosen_ = std::move(chosen);
    closed_ = std::move(closed);
    selected_ = std::clamp(selected, 0, std::max(int32_t(rows_.size()) - 1, 0));
    first_ = 0;
    frame_->Place(boxLeft, boxTop, piecesAcross, piecesDown);
    Show(true);
    Scroll();
    open_ = true;
}

void LevelListPanel::Close() {
    open_ = false;
    frame_->Hide();
    Show(false);
}

void LevelListPanel::Scroll() {
    const int32_t count = int32_t(rows_.size());
    if (selected_ < first_) first_ = selected_;
    if (selected_ >= first_ + visibleRows) first_ = selected_ - visibleRows + 1;
    std::string heading = "Levels";
    if (count > visibleRows) {
        heading += "  " + std::to_string(first_ + 1) + "-" + std::to_string(std::min(first_ + visibleRows, count)) +
                   " of " + std::to_string(count);
    }
    heading_->text->text = heading;
    for (int32_t i = 0; i < visibleRows; ++i) {
        const int32_t row = first_ + i;
        const bool there = row < count, chosen = row == selected_;
        TextComponent& name = *names_[size_t(i)]->text;
        TextComponent& status = *statuses_[size_t(i)]->text;
        // The mark shows the choice without colour too.
        name.text = there ? (chosen ? "> " : "   ") + rows_[size_t(row)].name : std::string();
        status.text = there ? rows_[size_t(row)].status : std::string();
        name.color = status.color = chosen ? panelChosenColor : panelTextColor;
    }
}

std::vector<std::string> LevelListPanel::ShownRows() const {
    std::vector<std::string> shown;
    for (int32_t i = 0; i < visibleRows; ++i) {
        const std::string& name = names_[size_t(i)]->text->text;
        if (!name.empty()) shown.push_back(name + " | " + statuses_[size_t(i)]->text->text);
    }
    return shown;
}

void LevelListPanel::HandleInput() {
    if (!open_) return;
    const InputManager& input = *Services::input;
    if (input.IsActionPressed(Action::Back) || input.IsKeyPressed(Key::PadB)) {
        Close();
        if (closed_) closed_();
        return;
    }
    if ((input.IsActionPressed(Action::Confirm) || input.IsKeyPressed(Key::PadA)) && !rows_.empty()) {
        Close();
        if (chosen_) chosen_(selected_);
        return;
    }
    const int32_t step = input.IsActionPressed(Action::MoveDown) ? 1 : input.IsActionPressed(Action::MoveUp) ? -1 : 0;
    if (step == 0) return;
    selected_ = std::clamp(selected_ + step, 0, std::max(int32_t(rows_.size()) - 1, 0));
    Scroll();
}
