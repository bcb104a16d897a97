#include "gameplay/GameplayScreenBehavior.hpp"

#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/ErrorReport.hpp"
#include "core/GameHost.hpp"
#include "core/GameSettings.hpp"
#include "core/GameTime.hpp"
#include "core/Platform.hpp"
#include "core/Services.hpp"
#include "core/UserFolders.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/HelpCard.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/Menu.hpp"
#include "gameplay/MessagePanel.hpp"
#include "graphics/Font.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "scene/TextComponent.hpp"

namespace {

constexpr Color playingColor{152, 66, 86, 255};
constexpr float messageSeconds = 4.0f;
constexpr float stripRight = 790.0f;  // the level line ends here, 10 pixels in like the title

// "A", "A and B", "A, B and C".
std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

bool CtrlHeld() { return Services::input->IsKeyDown(Key::Ctrl); }

std::optional<boost::filesystem::path> RecoveryFolder() {
    const auto state = StateHome();
    if (!state) return std::nullopt;
    return *state / "glimmerduct" / "recovery";
}

}  // namespace

GameplayScreenBehavior::GameplayScreenBehavior() : levels_(RecoveryFolder()) {}

GameplayScreenBehavior::~GameplayScreenBehavior() {
    if (Services::game) Services::game->SetCloseGuard(nullptr);
    ClearLevels();
}

void GameplayScreenBehavior::Start() {
    Services::settings->clearColor = playingColor;
    levels_.Load();
    RequireSomeLevel();
    levels_.ShowFirst();
    if (gameplayState.title && gameplayState.title->text) title_ = gameplayState.title->text->text;
    const std::vector<std::string> recovered = levels_.RestoreRecoveryCopies();
    if (!recovered.empty()) ShowMessage("Recovered unsaved edits of " + JoinNames(recovered));
    progress_.Start();
    progress_.RefreshSuffix();
    ShowLevelLine();
    if (Services::game) Services::game->SetCloseGuard(this);
    reload_.Start();
    gameplayState.menu->SetHooks({[this](const std::string& text) { ShowMessage(text); }, [this] { ShowLevelLine(); },
                               [] { if (gameplayState.openLevelList) gameplayState.openLevelList(); }});
    MusicManager::Play("TorvelTheme");
}

bool GameplayScreenBehavior::SaveLevel() { return SaveLevelAt(levels_.Shown()); }

bool GameplayScreenBehavior::SaveLevelAt(int32_t index) {
    try {
        levels_.Save(index);
    } catch (const std::exception& e) {
        // The edits stay and the game goes on; the user can free the disk and retry.
        const std::string line = DescribeFatalError(e);
        ReportToLog(line);
        gameplayState.panel->Open(line, {{Key::OemEnter, Key::Esc, "Enter: OK", {}}});
        return false;
    }
    return true;
}

bool GameplayScreenBehavior::SaveModifiedLevels() {
    for (int32_t i = 0; i < levels_.Count(); ++i) {
        if (levels_.IsModified(i) && !SaveLevelAt(i)) return false;
    }
    return true;
}

bool GameplayScreenBehavior::ConfirmClose() {
    if (!levels_.AnyModified()) return true;
    if (askingBeforeClose_ && gameplayState.panel->IsOpen()) return false;
    const auto answered = [this](auto then) {
        return [this, then] {
            askingBeforeClose_ = false;
            then();
        };
    };
    const auto save = [this] {
        // A failed save shows why and keeps the game.
        if (SaveModifiedLevels()) Services::game->RequestQuit();
    };
    const auto discard = [this] {
        levels_.DiscardRecoveryCopies();
        Services::game->RequestQuit();
    };
    gameplayState.panel->Open("Save the changes to " + JoinNames(levels_.ModifiedFiles()) + " before closing?",
                              {{Key::S, Key::None, "S: Save", answered(save)},
                               {Key::D, Key::None, "D: Discard", answered(discard)},
                               {Key::Esc, Key::None, "Esc: Back to the game", answered([] {})}});
    askingBeforeClose_ = true;
    return false;
}

void GameplayScreenBehavior::LoopEnded() { levels_.FlushRecoveryCopies(); }

void GameplayScreenBehavior::HandleInput() {
    const InputManager& input = *Services::input;
    if (started) progress_.CountSteps();
    if (Overlay* top = gameplayState.TopOverlay()) {
        top->HandleInput();
        // A click that answered must not paint once the overlay is gone.
        if (!gameplayState.TopOverlay()) editor_.EndStroke(true);
        if (started) ShowModified();
        return;
    }
    if (input.IsKeyPressed(Key::F1) || (input.IsKeyPressed(Key::OemSlash) && input.IsKeyDown(Key::Shift))) {
        editor_.EndStroke(true);
        gameplayState.help->Open();
        return;
    }
    if (gameplayState.menu && gameplayState.menu->HandleGameKeys(editor_.IsOn())) return;
    if (editor_.IsOn() && input.IsKeyPressed(Key::S) && CtrlHeld() && SaveLevel()) {
        SoundManager::PlayCue("Click");
        // The editor warns and never blocks: the level is saved as it is.
        if (const std::string warning = progress_.SaveWarning(); !warning.empty()) ShowMessage(warning);
    }
    // Before the toggle, like the save: Ctrl+Z with the toggle still acts on the editor that is on.
    if (editor_.IsOn()) editor_.UndoOrRedo();
    SwitchOrAddLevel();
    if (started) progress_.HandleKeys();
    if (input.IsActionPressed(Action::EditorToggle)) {
        editor_.Toggle();
        ShowLevelLine();
        if (editor_.IsOn()) ShowMessage("F1: keys");
    }
    editor_.Update();
    // Before the first Start there is no level to differ from.
    if (!started) return;
    editor_.ShadeUnreachable();
    ShowModified();
}

void GameplayScreenBehavior::Update() {
    levels_.KeepRecoveryCopies(Services::time->total);
    // A reload shows its shading in the same frame as its codes.
    if (started && reload_.Update(Services::time->total, Services::game && Services::game->platform().TakeFocusGained()))
        editor_.ShadeUnreachable();
    progress_.Update();
    if (progress_.RefreshSuffix()) ShowLevelLine();
    if (messageSeconds_ <= 0.0f) return;
    messageSeconds_ -= Services::time->delta;
    if (messageSeconds_ <= 0.0f && gameplayState.title) gameplayState.title->text->text = title_;
}

void GameplayScreenBehavior::SwitchOrAddLevel() {
    const InputManager& input = *Services::input;
    if (!started || !CtrlHeld()) return;
    const int32_t step = input.IsKeyPressed(Key::PageDown) ? 1 : input.IsKeyPressed(Key::PageUp) ? -1 : 0;
    const bool add = editor_.IsOn() && input.IsKeyPressed(Key::N);
    if (step == 0 && !add) return;
    editor_.EndStroke(true);
    if (add) {
        if (!levels_.AddNew()) ShowMessage("No free level name: Level2.json to Level999.json are all taken");
    } else {
        levels_.Show(levels_.Shown() + step);
    }
    ShowLevelLine();
    SoundManager::PlayCue("Click");
}

void GameplayScreenBehavior::ShowModified() {
    const bool modified = levels_.AnyModified();
    if (modified == modified_) return;
    modified_ = modified;
    if (Services::game) Services::game->platform().SetWindowTitle(modified ? "Game *" : "Game");
}

void GameplayScreenBehavior::ShowLevelLine() {
    GameObject* line = gameplayState.levelLine;
    if (!line) return;
    const bool shown = levels_.Count() > 1 || editor_.IsOn() || !progress_.suffix().empty();
    // Over the kept first layer: its clock changes every tenth of a second while a level is played.
    line->text->layer = shown ? 2 : 0;
    if (!shown) return;
    const int32_t index = levels_.Shown();
    line->text->text = levels_.Level(index).name + "  " + std::to_string(index + 1) + "/" +
                       std::to_string(levels_.Count()) + progress_.suffix();
    const float width = line->text->font ? line->text->font->Width(line->text->text) : 0.0f;
    line->pos2d->position.x = stripRight - width;
}

void GameplayScreenBehavior::ShowMessage(const std::string& text) {
    if (!gameplayState.title) return;
    gameplayState.title->text->text = text;
    messageSeconds_ = messageSeconds;
}
