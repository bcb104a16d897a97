#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gameplay/MenuPage.hpp"
#include "gameplay/Overlay.hpp"

class Font;
class KeysPage;
class PanelFrame;
class SettingsPage;

// The menu over the maze: Resume, Levels, Settings, Keys, Quit. Esc (or a controller's Start)
// opens it in play; arrows or the d-pad move, Enter or A chooses, Esc or B goes back. Also the
// sound keys (M all sound, N the music), in play and in the editor, said in the strip.
class Menu : public Overlay {
public:
    static constexpr int32_t maxRows = 14;

    // What the menu reaches outside itself, filled in by the gameplay screen.
    struct Hooks {
        std::function<void(const std::string&)> showMessage;  // a few seconds in the strip
        std::function<void()> movesAndTimeChanged;            // the strip's line to be drawn anew
        // The level list; while empty the menu has no "Levels" row.
        std::function<void()> openLevels;
    };

    Menu();
    ~Menu() override;

    void SetHooks(Hooks hooks);
    void Open();
    void Close();

    // Once a frame while nothing is open over the maze: the sound keys, a fullscreen switched
    // with F11 kept in the settings, and (not in the editor) Esc or Start opening the menu.
    // True when the menu opened: the frame's keys are then its own.
    bool HandleGameKeys(bool editorOn);
    void HandleInput() override;

    // The page shown (empty for the first) and its rows, the selected one.
    std::string PageTitle() const;
    std::vector<MenuRow> Rows() const;
    int32_t Selected() const { return selected_; }

private:
    enum class Entry { Resume, Levels, Settings, Keys, Quit };
    std::vector<Entry> Entries() const;
    void ChooseEntry(Entry entry);
    void ShowPage(MenuPage* page);
    void SwitchSound(bool music);
    void KeepFullscreen();
    void Draw();

    Hooks hooks_;
    std::unique_ptr<SettingsPage> settings_;
    std::unique_ptr<KeysPage> keys_;
    MenuPage* page_ = nullptr;  // null: the first page
    int32_t selected_ = 0;
    std::optional<bool> fullscreenSeen_;
    Font* font_ = nullptr;
    PanelFrame* frame_ = nullptr;
    GameObject* title_ = nullptr;
    std::array<GameObject*, maxRows> labels_{};
    std::array<GameObject*, maxRows> values_{};
};
