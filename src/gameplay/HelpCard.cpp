#include "gameplay/HelpCard.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "core/Services.hpp"
#include "gameplay/PanelFrame.hpp"
#include "gameplay/PanelText.hpp"
#include "graphics/Font.hpp"
#include "graphics/FontManager.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "scene/TextComponent.hpp"

namespace {

constexpr int32_t lineCount = int32_t(std::size(helpLines));
static_assert(lineCount <= 2 * HelpCard::mostRows, "the card holds two columns of mostRows lines");

constexpr float piece = PanelFrame::piece;
constexpr int32_t mostAcross = 25;   // the screen's width
constexpr float screenWidth = 800.0f;
constexpr float margin = 8.0f;       // inside the frame
constexpr float keyGap = 12.0f;      // between the widest key and the text
constexpr float columnGap = 24.0f;
constexpr float gridHeight = 576.0f;  // centred on the maze, above the strip
constexpr Color headingColor = panelTextColor;
constexpr Color keyColor = panelAnswerColor;
constexpr Color whatColor = panelTextColor;

}  // namespace

HelpCard::HelpCard() {
    font_ = Services::fonts->GetFont("Title");
    frame_ = AddChild(new PanelFrame());
    heading_ = AddPanelText(*this, font_, headingColor);
    heading_->text->text = "Keys (any key closes this)";
    for (auto& key : keys_) key = AddPanelText(*this, font_, keyColor);
    for (auto& what : what_) what = AddPanelText(*this, font_, whatColor);
}

void HelpCard::ShowText(bool shown) {
    const int32_t layer = shown ? 2 : 0;
    heading_->text->layer = layer;
    for (int32_t i = 0; i < lineCount; ++i) {
        keys_[size_t(i)]->text->layer = layer;
        what_[size_t(i)]->text->layer = layer;
    }
}

void HelpCard::Open() {
    const float lineHeight = font_ ? font_->lineHeight : 22.0f;
    const auto width = [&](const char* text) { return font_ ? font_->Width(text) : 10.0f * float(std::strlen(text)); };
    const int32_t rows = (lineCount + 1) / 2;
    // Each column as wide as its widest key and text; the card as wide as both, centred.
    std::array<float, 2> keyWidth{}, whatWidth{};
    for (int32_t i = 0; i < lineCount; ++i) {
        keyWidth[size_t(i / rows)] = std::max(keyWidth[size_t(i / rows)], width(helpLines[i].keys));
        whatWidth[size_t(i / rows)] = std::max(whatWidth[size_t(i / rows)], width(helpLines[i].what));
    }
    const float textWidth = keyWidth[0] + whatWidth[0] + keyWidth[1] + whatWidth[1] + 2.0f * keyGap + columnGap;
    const int32_t across = std::clamp(int32_t(std::ceil((textWidth + 2.0f * margin) / piece)) + 2, 3, mostAcross);
    const float height = float(rows + 2) * lineHeight;
    const int32_t down = std::clamp(int32_t(std::ceil(height / piece)) + 2, 3, int32_t(gridHeight / piece));
    const float left = std::floor((screenWidth - float(across) * piece) * 0.5f);
    const float top = std::floor((gridHeight - float(down) * piece) * 0.5f);
    frame_->Place(left, top, across, down);
    const float textLeft = std::floor(left + (float(across) * piece - textWidth) * 0.5f);
    const float textTop = top + piece + std::floor((float(down - 2) * piece - height) * 0.5f);
    heading_->pos2d->position = Vector2(textLeft, textTop);
    float x = textLeft;
    for (int32_t column = 0; column < 2; ++column) {
        const float whatX = x + keyWidth[size_t(column)] + keyGap;
        for (int32_t i = column * rows; i < std::min(lineCount, (column + 1) * rows); ++i) {
            const float y = textTop + float(i - column * rows + 2) * lineHeight;
            keys_[size_t(i)]->text->text = helpLines[i].keys;
            keys_[size_t(i)]->pos2d->position = Vector2(x, y);
            what_[size_t(i)]->text->text = helpLines[i].what;
            what_[size_t(i)]->pos2d->position = Vector2(whatX, y);
        }
        x = whatX + whatWidth[size_t(column)] + columnGap;
    }
    ShowText(true);
    open_ = true;
    closing_ = false;
}

void HelpCard::Close() {
    open_ = false;
    closing_ = false;
    frame_->Hide();
    ShowText(false);
}

void HelpCard::HandleInput() {
    const InputManager& input = *Services::input;
    if ((input.keys & ~input.previousKeys).any()) {
        // Gone from the screen at once, but the key that closed it must not walk or paint too.
        frame_->Hide();
        ShowText(false);
        closing_ = true;
    }
    if (closing_ && input.keys.none()) Close();
}
