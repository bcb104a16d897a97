#include "gameplay/LevelProgress.hpp"

#include <cstdio>
#include <cstring>

#include "audio/SoundManager.hpp"
#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "core/UserSettings.hpp"
#include "gameplay/FinishCard.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelListPanel.hpp"
#include "gameplay/LevelSet.hpp"
#include "gameplay/Player.hpp"
#include "gameplay/PlayerBehavior.hpp"
#include "gameplay/TileKind.hpp"
#include "input/InputManager.hpp"

namespace {

bool HasWayOut(const LevelCodes& codes) {
    for (int32_t code : codes) {
        if (IsExitCode(code)) return true;
    }
    return false;
}

std::string Moves(int32_t moves) { return std::to_string(moves) + (moves == 1 ? " move" : " moves"); }

std::string Best(const LevelRecord& best) { return Moves(best.moves) + ", " + FormatTime(best.milliseconds); }

PlayerBehavior* ThePlayer() { return gameplayState.player ? gameplayState.player->behavior : nullptr; }

}  // namespace

void LevelProgress::Start() {
    records_ = Records(Records::DefaultFile());
    records_.Load();
    gameplayState.openLevelList = [this] { OpenList(); };
    Follow();
}

void LevelProgress::Follow() {
    if (run_.level == levels_.Shown()) return;
    run_ = LevelRun{};
    run_.level = levels_.Shown();
    if (const PlayerBehavior* player = ThePlayer()) seenSteps_ = player->stepsTaken;
}

void LevelProgress::CountSteps() {
    const PlayerBehavior* player = ThePlayer();
    if (!player || levels_.Count() == 0) return;
    Follow();
    if (gameplayState.editorMode) run_.editorUsed = true;
    const int32_t ended = player->stepsTaken - seenSteps_;
    seenSteps_ = player->stepsTaken;
    if (ended <= 0 || run_.finished) return;
    run_.moves += ended;
    // The editor walks the maze to try it; only play finishes it.
    if (gameplayState.editorMode) return;
    const GridCell at{int32_t(player->cell.x), int32_t(player->cell.y)};
    if (IsInGrid(at) && IsExitCode(levels_.Codes(levels_.Shown())[size_t(SlotOf(at))])) Finish();
}

void LevelProgress::Update() {
    const PlayerBehavior* player = ThePlayer();
    if (!player || levels_.Count() == 0) return;
    Follow();
    // The clock stops while something over the maze holds the keys.
    if (run_.finished || gameplayState.TopOverlay()) return;
    if (player->moving == 1) run_.started = true;
    if (run_.started) run_.seconds += Services::time->delta;
}

void LevelProgress::HandleKeys() {
    if (gameplayState.editorMode || gameplayState.TopOverlay() || levels_.Count() == 0) return;
    const InputManager& input = *Services::input;
    if (input.IsActionPressed(Action::Restart)) {
        Restart();
    } else if (input.IsActionPressed(Action::LevelList)) {
        OpenList();
    }
}

void LevelProgress::Restart() { Play(levels_.Shown()); }

void LevelProgress::Play(int32_t index) {
    levels_.Show(index);
    run_.level = -1;
    Follow();
}

int32_t LevelProgress::NextLevel() const {
    const int32_t next = levels_.Shown() + 1;
    if (next < levels_.Count()) return next;
    for (int32_t i = 0; i < levels_.Count(); ++i) {
        const LevelCodes& codes = levels_.Codes(i);
        if (HasWayOut(codes) && !records_.Find(codes)) return i;
    }
    return 0;
}

void LevelProgress::OpenList() {
    if (!gameplayState.levelList || levels_.Count() == 0) return;
    std::vector<LevelListRow> rows;
    for (int32_t i = 0; i < levels_.Count(); ++i) {
        const LevelCodes& codes = levels_.Codes(i);
        std::string status = "free to walk";
        if (HasWayOut(codes)) {
            const std::optional<LevelRecord> best = records_.Find(codes);
            status = best ? "solved  " + Moves(best->moves) + "  " + FormatTime(best->milliseconds) : "not solved";
        }
        rows.push_back({levels_.Level(i).name, status});
    }
    gameplayState.levelList->Open(
        std::move(rows), levels_.Shown(), [this](int32_t index) { Play(index); },
        [this] {
            // A finished run has nothing left to play: back to the start.
            if (run_.finished) Restart();
        });
}

void LevelProgress::Finish() {
    run_.finished = true;
    const LevelData& level = levels_.Level(levels_.Shown());
    const Par par = ParOf(level.shown);
    std::optional<Records::Outcome> outcome;
    if (!level.IsModified() && !run_.editorUsed)
        outcome = records_.Offer(level.shown, level.name, run_.moves, run_.Milliseconds());
    SoundManager::PlayCue("Finish");
    if (!gameplayState.finishCard) return;
    gameplayState.finishCard->Open(CardLines(par, outcome ? &*outcome : nullptr),
                                   {[this] { Play(NextLevel()); }, [this] { Restart(); }, [this] { OpenList(); }});
}

std::vector<std::string> LevelProgress::CardLines(const Par& par, const Records::Outcome* outcome) const {
    const LevelData& level = levels_.Level(levels_.Shown());
    std::vector<std::string> lines;
    lines.push_back(level.name + ": out!");
    std::string result = Moves(run_.moves);
    if (par.kind == Par::Kind::Moves) result += ", par " + std::to_string(par.moves);
    lines.push_back(result + "     time " + FormatTime(run_.Milliseconds()));
    const std::optional<LevelRecord> before = outcome ? outcome->before : records_.Find(level.shown);
    lines.push_back(before ? "Best so far: " + Best(*before) : "Best so far: none");
    if (level.IsModified()) {
        lines.push_back("Unsaved edits: no record is kept");
    } else if (run_.editorUsed) {
        lines.push_back("Walked with the editor on: no record is kept");
    } else if (!outcome->before) {
        lines.push_back("First time out: the record to beat");
    } else if (outcome->fewerMoves || outcome->faster) {
        lines.push_back(outcome->fewerMoves && outcome->faster ? "New best: fewer moves and faster!"
                        : outcome->fewerMoves                ? "New best: fewer moves!"
                                                              : "New best time!");
    } else {
        lines.push_back("Not beaten this time");
    }
    return lines;
}

bool LevelProgress::RefreshSuffix() {
    text_[0] = '\0';
    if (levels_.Count() > 0) {
        const LevelCodes& codes = levels_.Codes(levels_.Shown());
        if (gameplayState.editorMode) {
            const Par par = ParOf(codes);
            if (par.kind == Par::Kind::Moves) std::snprintf(text_, sizeof text_, "   par %d", int(par.moves));
            else std::snprintf(text_, sizeof text_, "   %s", par.kind == Par::Kind::NoWayOut ? "no way out" : "way out unreachable");
        } else if ((!Services::userSettings || Services::userSettings->movesAndTime) && HasWayOut(codes)) {
            char time[24];
            std::snprintf(text_, sizeof text_, "   %d %s  %s", int(run_.moves), run_.moves == 1 ? "move" : "moves",
                          FormatTime(run_.Milliseconds(), time));
        }
    }
    if (suffixLevel_ == run_.level && suffix_ == text_) return false;
    suffix_ = text_;
    suffixLevel_ = run_.level;
    return true;
}

std::string LevelProgress::SaveWarning() const {
    const LevelCodes& codes = levels_.Codes(levels_.Shown());
    int32_t starts = 0;
    for (int32_t code : codes) starts += code == int32_t(TileKind::PlayerStart) ? 1 : 0;
    std::vector<std::string> problems;
    if (starts == 0) problems.push_back("the level has no start");
    if (starts > 1) {
        const GridCell start = *StartCell(codes);
        problems.push_back(std::to_string(starts) + " starts: the one at column " + std::to_string(start.column) +
                           ", row " + std::to_string(start.row) + " counts");
    }
    if (starts > 0 && ParOf(codes).kind == Par::Kind::Unreachable)
        problems.push_back("the way out cannot be reached from the start");
    if (problems.empty()) return {};
    std::string text = "Saved, but " + problems[0];
    for (size_t i = 1; i < problems.size(); ++i) text += "; " + problems[i];
    return text;
}
