#include "gameplay/MessagePanel.hpp"

#include <algorithm>
#include <cmath>

#include "core/Services.hpp"
#include "gameplay/TileKind.hpp"
#include "graphics/Font.hpp"
#include "graphics/FontManager.hpp"
#include "scene/TextComponent.hpp"
#include "graphics/TextureManager.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"

namespace {

// Half-size duct pieces make the frame, as the editor's cursor shows them.
constexpr float piece = 32.0f;
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

constexpr Color textColor{255, 222, 230, 255};
constexpr Color answerColor{255, 196, 120, 255};
constexpr Color hoverColor{255, 255, 255, 255};

const char* PieceName(TileKind kind) {
    switch (kind) {
        case TileKind::Horizontal: return "GutHorizontal";
        case TileKind::Vertical: return "GutVertical";
        case TileKind::TopLeft: return "GutTopLeft";
        case TileKind::TopRight: return "GutTopRight";
        case TileKind::BottomLeft: return "GutBottomLeft";
        default: return "GutBottomRight";
    }
}

GameObject* AddSprite(GameObject& panel, const char* picture, Vector2 size, Color color) {
    auto* object = panel.AddChild(new GameObject());
    object->AddComponent(new Pos2dComponent());
    SpriteComponent* sprite = object->AddComponent(new SpriteComponent());
    sprite->texture = Services::textures->GetTexture(picture);
    sprite->size = size;
    sprite->color = color;
    return object;
}

GameObject* AddText(GameObject& panel, Font* font, Color color) {
    auto* object = panel.AddChild(new GameObject());
    object->AddComponent(new Pos2dComponent());
    TextComponent* text = object->AddComponent(new TextComponent());
    text->font = font;
    text->text.clear();
    text->color = color;
    return object;
}

float Measure(const Font* font, std::string_view text) {
    return font ? font->Width(text) : 10.0f * float(text.size());
}

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
        if (Measure(font, joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line.clear();
        // A word wider than a line (a long path) is cut where it must be.
        while (Measure(font, word) > width) {
            size_t fits = 1;
            while (fits < word.size() && Measure(font, word.substr(0, fits + 1)) <= width) ++fits;
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
    for (auto& shade : fill_) shade = AddSprite(*this, "GutBackground", Vector2(), Color{36, 14, 22, 255});
    for (int32_t i = 0; i < 2 * piecesAcross + 2 * (maxPiecesDown - 2); ++i)
        border_.push_back(AddSprite(*this, "GutHorizontal", Vector2(piece, piece), Color{}));
    for (auto& line : lines_) line = AddText(*this, font_, textColor);
    for (auto& label : labels_) label = AddText(*this, font_, answerColor);
    Show(false);
}

void MessagePanel::Show(bool shown) {
    const int32_t layer = shown ? 2 : 0;  // over the player and the cursor, or never drawn
    for (GameObject* child : children) {
        if (child->sprite) child->sprite->layer = layer;
        if (child->text) child->text->layer = layer;
    }
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
    Show(true);
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
    for (GameObject* shade : fill_) {
        // Under the inner half of the frame, so no gap shows between frame and fill.
        shade->pos2d->position = Vector2(boxLeft + boxWidth * 0.5f, top + height * 0.5f);
        shade->sprite->size = Vector2(boxWidth - piece, height - piece);
    }

    size_t used = 0;
    const auto place = [&](int32_t column, int32_t row, TileKind kind) {
        GameObject& p = *border_[used++];
        p.pos2d->position = Vector2(boxLeft + (float(column) + 0.5f) * piece, top + (float(row) + 0.5f) * piece);
        p.sprite->texture = Services::textures->GetTexture(PieceName(kind));
    };
    for (int32_t column = 0; column < piecesAcross; ++column) {
        const bool first = column == 0, last = column == piecesAcross - 1;
        place(column, 0, first ? TileKind::TopLeft : last ? TileKind::TopRight : TileKind::Horizontal);
        place(column, down - 1, first ? TileKind::BottomLeft : last ? TileKind::BottomRight : TileKind::Horizontal);
    }
    for (int32_t row = 1; row < down - 1; ++row) {
        place(0, row, TileKind::Vertical);
        place(piecesAcross - 1, row, TileKind::Vertical);
    }
    for (size_t i = used; i < border_.size(); ++i) border_[i]->sprite->layer = 0;
    return std::floor(top + piece + (height - 2.0f * piece - content) * 0.5f);
}

void MessagePanel::LayOutAnswers(float top) {
    float total = 0.0f;
    for (const PanelAnswer& answer : answers_) total += Measure(font_, answer.label);
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
        answerRight_[i] = x + Measure(font_, answers_[i].label);
        x = answerRight_[i] + answerGap;
    }
}

void MessagePanel::Close() {
    open_ = false;
    Show(false);
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
