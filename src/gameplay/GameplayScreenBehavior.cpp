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
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/MessagePanel.hpp"
#include "gameplay/Reachability.hpp"
#include "gameplay/TileKind.hpp"
#include "graphics/Font.hpp"
#include "scene/TextComponent.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"

namespace {

constexpr Color playingColor{152, 66, 86, 255};
constexpr Color editingColor{255, 0, 0, 255};
constexpr int32_t paletteSize = 8;  // codes 0 to 7, cyclic
constexpr float messageSeconds = 4.0f;
constexpr float stripRight = 790.0f;  // the level line ends here, 10 pixels in like the title

constexpr int32_t startCode = int32_t(TileKind::PlayerStart);

// Where applying the grid as a level would put the player: the start cell of the highest slot.
void PutPlayerOnLastStartCell() {
    for (int32_t slot = TileCount - 1; slot >= 0; --slot) {
        BackgroundTile& tile = *gameplayState.tiles[size_t(slot)];
        if (tile.kind == startCode) {
            tile.SetKind(startCode);
            return;
        }
    }
}

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

GameplayScreenBehavior::GameplayScreenBehavior() : recovery_(RecoveryFolder()) {}

GameplayScreenBehavior::~GameplayScreenBehavior() {
    if (Services::game) Services::game->SetCloseGuard(nullptr);
    ClearLevels();
}

void GameplayScreenBehavior::Start() {
    Services::settings->clearColor = playingColor;
    levels_.Load();
    RequireSomeLevel();
    gameplayState.currentLevelIndex = 0;
    ApplyLevel(gameplayState.currentLevelIndex);
    if (gameplayState.title && gameplayState.title->text) title_ = gameplayState.title->text->text;
    const std::vector<std::string> recovered = recovery_.Restore(levels_);
    if (!recovered.empty()) ShowMessage("Recovered unsaved edits of " + JoinNames(recovered));
    ShowLevelLine();
    if (Services::game) Services::game->SetCloseGuard(this);
    MusicManager::Play("TorvelTheme");
}

void GameplayScreenBehavior::ApplyLevel(int32_t index) {
    if (index < 0 || size_t(index) >= gameplayState.levels.size()) return;
    const LevelData& level = *gameplayState.levels[size_t(index)];
    for (int32_t slot = 0; slot < TileCount; ++slot)
        gameplayState.tiles[size_t(slot)]->SetKind(level.tiles[size_t(slot)]);
}

bool GameplayScreenBehavior::SaveLevel() { return SaveLevelAt(levels_.Shown()); }

bool GameplayScreenBehavior::SaveLevelAt(int32_t index) {
    try {
        levels_.Save(index);
    } catch (const std::exception& e) {
        // The edits stay and the game goes on; the user can free the disk and retry.
        const std::string line = DescribeFatalError(e);
        ReportToLog(line);
        gameplayState.panel->Open(line, {{Key::OemEnter, Key::Esc, "Enter: OK"}});
        asking_ = Asking::AfterFailure;
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
    if (asking_ == Asking::BeforeClosing) return false;
    gameplayState.panel->Open("Save the changes to " + JoinNames(levels_.ModifiedFiles()) + " before closing?",
                              {{Key::S, Key::None, "S: Save"},
                               {Key::D, Key::None, "D: Discard"},
                               {Key::Esc, Key::None, "Esc: Back to the game"}});
    asking_ = Asking::BeforeClosing;
    return false;
}

void GameplayScreenBehavior::AnswerPanel() {
    const int32_t answer = gameplayState.panel->TakeAnswer();
    if (answer < 0) return;
    const Asking asked = asking_;
    gameplayState.panel->Close();
    asking_ = Asking::Nothing;
    painter_.EndStroke(levels_.History(), true);
    if (asked != Asking::BeforeClosing) return;
    // Save: a failed save shows why and keeps the game; Discard: out; Esc: back to the game.
    if (answer == 1) recovery_.Discard(levels_);
    if ((answer == 0 && SaveModifiedLevels()) || answer == 1) Services::game->RequestQuit();
}

void GameplayScreenBehavior::LoopEnded() { recovery_.Flush(levels_); }

void GameplayScreenBehavior::HandleInput() {
    const InputManager& input = *Services::input;
    if (gameplayState.panel->IsOpen()) {
        AnswerPanel();
        if (started) ShowModified();
        return;
    }
    if (gameplayState.editorMode && input.IsKeyPressed(Key::S) && CtrlHeld()) {
        if (SaveLevel()) SoundManager::PlayCue("Click");
    }
    // Before the toggle, like the save: Ctrl+Z with the toggle still acts on the editor that is on.
    if (gameplayState.editorMode) UndoOrRedo();
    SwitchOrAddLevel();
    if (input.IsActionPressed(Action::EditorToggle)) ToggleEditor();
    if (gameplayState.editorMode) {
        StepPalette();
        painter_.Update(levels_.History());
    } else {
        painter_.EndStroke(levels_.History());
    }
    // Before the first Start there is no level to differ from.
    if (!started) return;
    ShadeUnreachable();
    ShowModified();
}

void GameplayScreenBehavior::Update() {
    recovery_.Keep(levels_, Services::time->total);
    if (messageSeconds_ <= 0.0f) return;
    messageSeconds_ -= Services::time->delta;
    if (messageSeconds_ <= 0.0f && gameplayState.title) gameplayState.title->text->text = title_;
}

void GameplayScreenBehavior::SwitchOrAddLevel() {
    const InputManager& input = *Services::input;
    if (!started || !CtrlHeld()) return;
    const int32_t step = input.IsKeyPressed(Key::PageDown) ? 1 : input.IsKeyPressed(Key::PageUp) ? -1 : 0;
    const bool add = gameplayState.editorMode && input.IsKeyPressed(Key::N);
    if (step == 0 && !add) return;
    painter_.EndStroke(levels_.History(), true);
    if (add) {
        if (!levels_.AddNew()) ShowMessage("No free level name: Level2.json to Level999.json are all taken");
    } else {
        levels_.Show(levels_.Shown() + step);
    }
    ShowLevelLine();
    SoundManager::PlayCue("Click");
}

void GameplayScreenBehavior::UndoOrRedo() {
    const InputManager& input = *Services::input;
    if (!CtrlHeld()) return;
    // Mid-stroke the step is not finished yet; taking it back would fight the held button.
    if (input.IsActionDown(Action::EditorPlaceTile) || input.IsActionDown(Action::EditorCopyTile)) return;
    const bool shift = input.IsKeyDown(Key::Shift) || input.IsKeyDown(Key::RightShift);
    EditHistory& history = levels_.History();
    if (input.IsKeyPressed(Key::Z) && !shift) ApplyStep(history.Undo(), false);
    if (input.IsKeyPressed(Key::Y) || (input.IsKeyPressed(Key::Z) && shift)) ApplyStep(history.Redo(), true);
}

void GameplayScreenBehavior::ApplyStep(std::span<const EditChange> step, bool redo) {
    if (step.empty()) return;
    bool startChanged = false;
    // A redo replays the stroke in its order, so the player lands where the stroke left it.
    for (size_t i = 0; i < step.size(); ++i) {
        const EditChange& change = redo ? step[i] : step[step.size() - 1 - i];
        const int32_t code = redo ? change.after : change.before;
        if (change.slot == EditHistory::cursorSlot) {
            gameplayState.cursorTile->SetKind(code);
            continue;
        }
        gameplayState.tiles[size_t(change.slot)]->SetKind(code);
        startChanged = startChanged || change.before == startCode || change.after == startCode;
    }
    // Taking a start cell back leaves the player where the remaining level puts it; with no
    // start cell left it stays where it is.
    if (!redo && startChanged) PutPlayerOnLastStartCell();
    SoundManager::PlayCue("Click");
}

void GameplayScreenBehavior::ShowModified() {
    const bool modified = levels_.AnyModified();
    if (modified == modified_) return;
    modified_ = modified;
    if (Services::game) Services::game->platform().SetWindowTitle(modified ? "Game *" : "Game");
}

void GameplayScreenBehavior::ToggleEditor() {
    gameplayState.editorMode = !gameplayState.editorMode;
    const bool on = gameplayState.editorMode;
    Services::settings->clearColor = on ? editingColor : playingColor;
    gameplayState.cursorTile->sprite->color.a = on ? 255 : 0;
    ShowLevelLine();
    SoundManager::PlayCue("Click");
}

void GameplayScreenBehavior::StepPalette() {
    const InputManager& input = *Services::input;
    // With Ctrl held the keys are commands (Ctrl+PageDown switches levels), not the palette.
    if (CtrlHeld()) return;
    BackgroundTile& cursor = *gameplayState.cursorTile;
    // Wide, so that a copied code at the ends of the 32-bit range cannot overflow.
    int64_t k = cursor.kind;
    if (input.IsActionPressed(Action::EditorNextTile)) {
        k = (k + 1) % paletteSize;  // the remainder keeps the dividend's sign: 42 gives 3
        cursor.SetKind(int32_t(k));
        SoundManager::PlayCue("Click");
    }
    if (input.IsActionPressed(Action::EditorPreviousTile)) {
        k = k - 1;
        if (k < 0) k = paletteSize - 1;
        cursor.SetKind(int32_t(k));
        SoundManager::PlayCue("Click");
    }
}

void GameplayScreenBehavior::ShadeUnreachable() {
    if (!gameplayState.editorMode && !shaded_) return;
    const bool shade = gameplayState.editorMode;
    const std::bitset<TileCount> reachable = shade ? ReachableCells(GridCodes()) : std::bitset<TileCount>();
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        BackgroundTile& tile = *gameplayState.tiles[size_t(slot)];
        tile.sprite->color = shade && !tile.solid && !reachable.test(size_t(slot)) ? unreachableTint : Color{};
    }
    shaded_ = shade;
}

void GameplayScreenBehavior::ShowLevelLine() {
    GameObject* line = gameplayState.levelLine;
    if (!line) return;
    const bool shown = levels_.Count() > 1 || gameplayState.editorMode;
    line->text->layer = shown ? 1 : 0;
    if (!shown) return;
    const int32_t index = levels_.Shown();
    line->text->text = gameplayState.levels.at(size_t(index))->name + "  " + std::to_string(index + 1) + "/" +
                       std::to_string(levels_.Count());
    const float width = line->text->font ? line->text->font->Width(line->text->text) : 0.0f;
    line->pos2d->position.x = stripRight - width;
}

void GameplayScreenBehavior::ShowMessage(const std::string& text) {
    if (!gameplayState.title) return;
    gameplayState.title->text->text = text;
    messageSeconds_ = messageSeconds;
}
