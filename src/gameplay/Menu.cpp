#include "gameplay/Menu.hpp"

#include <algorithm>
#include <cmath>

#include "core/GameHost.hpp"
#include "core/Platform.hpp"
#include "core/Services.hpp"
#include "core/UserSettings.hpp"
#include "gameplay/KeysPage.hpp"
#include "gameplay/PanelFrame.hpp"
#include "gameplay/PanelText.hpp"
#include "gameplay/SettingsPage.hpp"
#include "graphics/Font.hpp"
#include "graphics/FontManager.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "scene/TextComponent.hpp"

namespace {

constexpr float piece = PanelFrame::piece;
constexpr float boxLeft = 80.0f;
constexpr int32_t piecesAcross = 20;  // 640 pixels, as the message panel
constexpr float boxWidth = float(piecesAcross) * piece;
constexpr float inset = piece + 20.0f;
constexpr float gridHeight = 576.0f;  // centred on the maze, above the strip

constexpr Color titleColor = panelTextColor;
constexpr Color rowColor{214, 170, 182, 255};
constexpr Color selectedColor = panelAnswerColor;

bool Pressed(Key key) { return Services::input->IsKeyPressed(key); }

bool PressedOrAction(Key key, Action action) {
    return Pressed(key) || Services::input->IsActionPressed(action);
}

}  // namespace

Menu::Menu() : settings_(std::make_unique<SettingsPage>()), keys_(std::make_unique<KeysPage>()) {
    font_ = Services::fonts->GetFont("Title");
    frame_ = AddChild(new PanelFrame());
    title_ = AddPanelText(*this, font_, titleColor);
    for (auto& label : labels_) label = AddPanelText(*this, font_, titleColor);
    for (auto& value : values_) value = AddPanelText(*this, font_, titleColor);
}

Menu::~Menu() = default;

void Menu::SetHooks(Hooks hooks) {
    hooks_ = std::move(hooks);
    settings_->showMessage = keys_->showMessage = hooks_.showMessage;
    settings_->movesAndTimeChanged = hooks_.movesAndTimeChanged;
}

std::vector<Menu::Entry> Menu::Entries() const {
    if (hooks_.openLevels) return {Entry::Resume, Entry::Levels, Entry::Settings, Entry::Keys, Entry::Quit};
    return {Entry::Resume, Entry::Settings, Entry::Keys, Entry::Quit};
}

std::string Menu::PageTitle() const { return page_ ? page_->Title() : ""; }

std::vector<MenuRow> Menu::Rows() const {
    if (page_) return page_->Rows();
    std::vector<MenuRow> rows;
    for (Entry entry : Entries()) {
        static constexpr const char* names[] = {"Resume", "Levels", "Settings", "Keys", "Quit"};
        rows.push_back({names[int(entry)], ""});
    }
    return rows;
}

void Menu::Open() {
    open_ = true;
    ShowPage(nullptr);
}

void Menu::Close() {
    open_ = false;
    page_ = nullptr;
    frame_->Hide();
    title_->text->layer = 0;
    for (size_t i = 0; i < size_t(maxRows); ++i) labels_[i]->text->layer = values_[i]->text->layer = 0;
}

void Menu::ShowPage(MenuPage* page) {
    page_ = page;
    selected_ = 0;
    Draw();
}

bool Menu::HandleGameKeys(bool editorOn) {
    KeepFullscreen();
    const InputManager& input = *Services::input;
    // With Ctrl, N is the editor's new level.
    if (input.IsActionPressed(Action::MuteAll)) SwitchSound(false);
    if (input.IsActionPressed(Action::MuteMusic) && !input.IsKeyDown(Key::Ctrl)) SwitchSound(true);
    if (editorOn || !(Pressed(Key::Esc) || Pressed(Key::PadStart))) return false;
    Open();
    return true;
}

void Menu::SwitchSound(bool music) {
    UserSettings& settings = *Services::userSettings;
    bool& off = music ? settings.musicMuted : settings.muted;
    off = !off;
    ApplySoundSettings();
    std::string message = std::string(music ? "Music" : "Sound") + (off ? " off" : " on");
    if (music && !off && settings.muted) message += " (but all sound is off: M)";
    if (hooks_.showMessage) hooks_.showMessage(message);
    SaveSettings(hooks_.showMessage);
}

void Menu::KeepFullscreen() {
    if (!Services::game) return;
    const bool now = Services::game->platform().IsFullscreen();
    // The window as it started (--fullscreen among the reasons) is not a choice to keep.
    if (fullscreenSeen_ && *fullscreenSeen_ != now && Services::userSettings->fullscreen != now) {
        Services::userSettings->fullscreen = now;
        SaveSettings(hooks_.showMessage);
    }
    fullscreenSeen_ = now;
}

void Menu::HandleInput() {
    if (!open_) return;
    if (page_ && page_->Capturing()) {
        page_->Capture();
        Draw();
        return;
    }
    const auto rows = int32_t(Rows().size());
    if (PressedOrAction(Key::Up, Action::MoveUp)) selected_ = (selected_ + rows - 1) % rows;
    if (PressedOrAction(Key::Down, Action::MoveDown)) selected_ = (selected_ + 1) % rows;
    const int32_t step = PressedOrAction(Key::Left, Action::MoveLeft)     ? -1
                         : PressedOrAction(Key::Right, Action::MoveRight) ? 1
                                                                          : 0;
    if (step != 0 && page_) page_->Step(selected_, step);
    if (Pressed(Key::OemEnter) || Pressed(Key::KeypadEnter) || Pressed(Key::PadA)) {
        if (!page_) {
            ChooseEntry(Entries()[size_t(selected_)]);
            return;
        }
        if (!page_->Choose(selected_)) ShowPage(nullptr);
    } else if (Pressed(Key::Esc) || Pressed(Key::PadB) || (!page_ && Pressed(Key::PadStart))) {
        if (!page_) {
            Close();
            return;
        }
        ShowPage(nullptr);
    }
    if (open_) Draw();
}

void Menu::ChooseEntry(Entry entry) {
    switch (entry) {
        case Entry::Resume:
            Close();
            break;
        case Entry::Levels:
            Close();
            hooks_.openLevels();
            break;
        case Entry::Settings:
            ShowPage(settings_.get());
            break;
        case Entry::Keys:
            ShowPage(keys_.get());
            break;
        case Entry::Quit:
            // As closing the window does: unsaved edits are asked about first.
            Close();
            if (Services::game && Services::game->ConfirmClose()) Services::game->RequestQuit();
            break;
    }
}

void Menu::Draw() {
    const std::vector<MenuRow> rows = Rows();
    const auto count = int32_t(std::min<size_t>(rows.size(), size_t(maxRows)));
    const float lineHeight = font_ ? font_->lineHeight : 22.0f;
    const std::string heading = page_ ? page_->Title() : "TORVEL: Glimmerduct";
    const float content = float(count + 2) * lineHeight;
    const int32_t down = std::clamp(int32_t(std::ceil(content / piece)) + 2, 3, 18);
    const float top = std::floor((gridHeight - float(down) * piece) * 0.5f);
    frame_->Place(boxLeft, top, piecesAcross, down);
    const float first = std::floor(top + (float(down) * piece - content) * 0.5f);
    title_->text->text = heading;
    title_->text->color = titleColor;
    title_->text->layer = 2;
    title_->pos2d->position =
        Vector2(std::floor(boxLeft + (boxWidth - PanelTextWidth(font_, heading)) * 0.5f), first);
    for (int32_t i = 0; i < maxRows; ++i) {
        TextComponent& label = *labels_[size_t(i)]->text;
        TextComponent& value = *values_[size_t(i)]->text;
        const bool shown = i < count;
        label.layer = value.layer = shown ? 2 : 0;
        if (!shown) continue;
        const MenuRow& row = rows[size_t(i)];
        const Color color = i == selected_ ? selectedColor : rowColor;
        const float y = first + float(i + 2) * lineHeight;
        label.text = (i == selected_ ? "> " : "  ") + row.label;
        label.color = value.color = color;
        value.text = row.value;
        labels_[size_t(i)]->pos2d->position = Vector2(boxLeft + inset - 16.0f, y);
        // A centred first page; the pages below it have values at the right.
        if (!page_)
            labels_[size_t(i)]->pos2d->position.x =
                std::floor(boxLeft + (boxWidth - PanelTextWidth(font_, label.text)) * 0.5f);
        values_[size_t(i)]->pos2d->position =
            Vector2(std::floor(boxLeft + boxWidth - inset - PanelTextWidth(font_, row.value)), y);
    }
}
