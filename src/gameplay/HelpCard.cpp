#include "gameplay/HelpCard.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/Services.hpp"
#include "gameplay/PanelFrame.hpp"
#include "graphics/Font.hpp"
#include "graphics/FontManager.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "scene/TextComponent.hpp"

namespace {

constexpr int32_t lineCount = int32_t(std::size(helpLines));
static_assert(lineCount <= 2 * HelpCard::mostRows, "the card holds two columns of mostRows lines");

constexpr float piece = PanelFrame::piece;
constexpr int32_t piecesAcross = 25;  // the whole width: two columns need it
constexpr float columnWidth = 360.0f;
constexpr float keyGap = 12.0f;      // between the widest key and the text
constexpr float gridHeight = 576.0f;  // centred on the maze, above the strip
constexpr Color headingColor{255, 222, 230, 255};
constexpr Color keyColor{255, 196, 120, 255};
constexpr Color whatColor{255, 222, 230, 255};

GameObject* AddText(GameObject& card, Font* font, Color color) {
    auto* object = card.AddChild(new GameObject());
    object->AddComponent(new Pos2dComponent());
    TextComponent* text = object->AddComponent(new TextComponent());
    text->font = font;
    text->text.clear();
    text->color = color;
    text->layer = 0;
    return object;
}

}  // namespace

HelpCard::HelpCard() {
    font_ = Services::fonts->GetFont("Title");
    frame_ = AddChild(new PanelFrame());
    heading_ = AddText(*this, font_, headingColor);
    heading_->text->text = "Keys (any key closes this)";
    for (auto& key : keys_) key = AddText(*this, font_, keyColor);
    for (auto& what : what_) what = AddText(*this, font_, whatColor);
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
    const int32_t rows = (lineCount + 1) / 2;
    const float height = float(rows + 2) * lineHeight;
    const int32_t down = std::clamp(int32_t(std::ceil(height / piece)) + 2, 3, int32_t(gridHeight / piece));
    const float top = std::floor((gridHeight - float(down) * piece) * 0.5f);
    frame_->Place(0.0f, top, piecesAcross, down);
    const float textTop = top + piece + std::floor((float(down - 2) * piece - height) * 0.5f);
    const float left = piece + 8.0f;
    heading_->pos2d->position = Vector2(left, textTop);
    for (int32_t column = 0; column < 2; ++column) {
        const int32_t first = column * rows, last = std::min(lineCount, first + rows);
        float widest = 0.0f;
        for (int32_t i = first; i < last && font_; ++i) widest = std::max(widest, font_->Width(helpLines[i].keys));
        const float x = left + float(column) * columnWidth;
        for (int32_t i = first; i < last; ++i) {
            const float y = textTop + float(i - first + 2) * lineHeight;
            keys_[size_t(i)]->text->text = helpLines[i].keys;
            keys_[size_t(i)]->pos2d->position = Vector2(x, y);
            what_[size_t(i)]->text->text = helpLines[i].what;
            what_[size_t(i)]->pos2d->position = Vector2(x + widest + keyGap, y);
        }
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
