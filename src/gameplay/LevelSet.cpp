#include "gameplay/LevelSet.hpp"

#include <algorithm>
#include <boost/filesystem/operations.hpp>

#include "core/FolderListing.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/Player.hpp"
#include "gameplay/TileKind.hpp"

namespace fs = boost::filesystem;

namespace {

constexpr int32_t startCode = int32_t(TileKind::PlayerStart);

// A closed loop of ducts along the edge, floor inside, the start next to the top-left corner.
LevelCodes NewLevelCodes() {
    LevelCodes codes{};
    const auto set = [&](int32_t column, int32_t row, TileKind kind) {
        codes[size_t(SlotOf({column, row}))] = int32_t(kind);
    };
    const int32_t right = GridColumns - 1, bottom = GridRows - 1;
    for (int32_t column = 1; column < right; ++column) {
        set(column, 0, TileKind::Horizontal);
        set(column, bottom, TileKind::Horizontal);
    }
    for (int32_t row = 1; row < bottom; ++row) {
        set(0, row, TileKind::Vertical);
        set(right, row, TileKind::Vertical);
    }
    set(0, 0, TileKind::TopLeft);
    set(right, 0, TileKind::TopRight);
    set(0, bottom, TileKind::BottomLeft);
    set(right, bottom, TileKind::BottomRight);
    set(1, 1, TileKind::PlayerStart);
    return codes;
}

void PlaceAndAnimate(GridCell cell) {
    PlacePlayer(cell.column, cell.row);
    RestartPlayerAnimation();
}

}  // namespace

LevelSet::LevelSet(std::optional<fs::path> recoveryFolder) : recovery_(std::move(recoveryFolder)) {}

std::vector<std::unique_ptr<LevelData>>& LevelSet::levels() { return gameplayState.levels; }

int32_t LevelSet::Count() const { return int32_t(levels().size()); }

int32_t LevelSet::Shown() const { return gameplayState.currentLevelIndex; }

const LevelData& LevelSet::Level(int32_t index) const { return *levels().at(size_t(index)); }

void LevelSet::Load() {
    LoadLevels();
    for (auto& level : levels()) level->shown = level->tiles;
    gameplayState.currentLevelIndex = 0;
}

void LevelSet::PutOnGrid(int32_t slot, int32_t code) {
    Current().shown[size_t(slot)] = code;
    if (BackgroundTile* tile = gameplayState.tiles[size_t(slot)]) tile->SetKind(code);
}

void LevelSet::Show(int32_t index) {
    if (levels().empty()) return;
    EndStroke();
    const int32_t count = Count();
    gameplayState.currentLevelIndex = ((index % count) + count) % count;
    const LevelCodes codes = Current().shown;
    for (int32_t slot = 0; slot < TileCount; ++slot) PutOnGrid(slot, codes[size_t(slot)]);
    PlaceAndAnimate(PlayerCell(codes));
}

void LevelSet::ShowFirst() {
    Show(0);
    // Without a start cell the player keeps its first pose, as a new player object does.
    if (levels().empty() || !StartCell(Current().shown)) StopPlayerAnimation();
}

void LevelSet::Paint(GridCell cell, int32_t code) {
    if (levels().empty() || !IsInGrid(cell)) return;
    const int32_t slot = SlotOf(cell);
    const int32_t before = Current().shown[size_t(slot)];
    PutOnGrid(slot, code);
    if (before != code) Current().history.Record(slot, before, code);
    if (code == startCode) PlaceAndAnimate(cell);
}

void LevelSet::RecordCursor(int32_t before, int32_t after) {
    if (!levels().empty()) Current().history.Record(EditHistory::cursorSlot, before, after);
}

void LevelSet::EndStroke() {
    if (!levels().empty()) Current().history.EndStroke();
}

bool LevelSet::Undo() {
    if (levels().empty()) return false;
    const std::span<const EditChange> step = Current().history.Undo();
    ApplyStep(step, false);
    return !step.empty();
}

bool LevelSet::Redo() {
    if (levels().empty()) return false;
    const std::span<const EditChange> step = Current().history.Redo();
    ApplyStep(step, true);
    return !step.empty();
}

void LevelSet::ApplyStep(std::span<const EditChange> step, bool redo) {
    bool startChanged = false;
    for (size_t i = 0; i < step.size(); ++i) {
        const EditChange& change = redo ? step[i] : step[step.size() - 1 - i];
        const int32_t code = redo ? change.after : change.before;
        if (change.slot == EditHistory::cursorSlot) {
            gameplayState.cursorTile->SetKind(code);
            continue;
        }
        PutOnGrid(change.slot, code);
        // A redo replays the stroke in its order, so the player lands where the stroke left it.
        if (redo && code == startCode) PlaceAndAnimate({change.slot % GridColumns, change.slot / GridColumns});
        startChanged = startChanged || change.before == startCode || change.after == startCode;
    }
    // Taking a start cell back leaves the player where the remaining level puts it; with no
    // start cell left it stays where it is.
    if (!redo && startChanged) {
        if (const std::optional<GridCell> start = StartCell(Current().shown)) PlaceAndAnimate(*start);
    }
}

void LevelSet::Adopt(const std::string& fileName, const LevelCodes& codes) {
    auto level = std::make_unique<LevelData>();
    level->fileName = fileName;
    level->name = StemOf(fileName);
    level->index = Count();
    level->tiles = codes;
    level->shown = codes;
    level->hasFile = false;
    levels().push_back(std::move(level));
}

bool LevelSet::AddNew() {
    const std::optional<std::string> file = FreeLevelFileName();
    if (!file) return false;
    Adopt(*file, NewLevelCodes());
    Show(Count() - 1);
    return true;
}

void LevelSet::Recover(int32_t index, const LevelCodes& codes) {
    LevelData& level = *levels().at(size_t(index));
    EditHistory& history = level.history;
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        const int32_t before = level.shown[size_t(slot)], after = codes[size_t(slot)];
        if (before != after) history.Record(slot, before, after);
    }
    history.EndStroke();
    if (index != Shown()) {
        level.shown = codes;
        return;
    }
    for (int32_t slot = 0; slot < TileCount; ++slot) PutOnGrid(slot, codes[size_t(slot)]);
    if (const std::optional<GridCell> start = StartCell(codes)) PlaceAndAnimate(*start);
}

void LevelSet::PaintCells(std::span<const CellCode> cells) {
    EndStroke();
    for (const CellCode& one : cells) Paint(one.cell, one.code);
    EndStroke();
}

void LevelSet::TakeFromFile(int32_t index, const LevelCodes& codes, bool keepShown) {
    LevelData& level = *levels().at(size_t(index));
    level.tiles = codes;
    level.hasFile = true;
    if (keepShown) return;
    // The steps were taken on codes that are gone; undoing them would mix the two.
    level.history = EditHistory();
    level.shown = codes;
    if (index == Shown()) Show(index);
}

void LevelSet::LoseFile(int32_t index) { levels().at(size_t(index))->hasFile = false; }

int32_t LevelSet::Insert(const std::string& fileName, const LevelCodes& codes) {
    Adopt(fileName, codes);
    levels().back()->hasFile = true;
    auto& list = levels();
    auto at = std::find_if(list.begin(), list.end() - 1, [&](const auto& level) {
        return ListedBefore(fs::path(fileName), fs::path(level->fileName));
    });
    const int32_t index = int32_t(at - list.begin());
    list.back()->index = index;
    std::rotate(at, list.end() - 1, list.end());
    if (index <= Shown() && Count() > 1) ++gameplayState.currentLevelIndex;
    return index;
}

int32_t LevelSet::Find(const std::string& fileName) const {
    for (int32_t i = 0; i < Count(); ++i) {
        if (Level(i).fileName == fileName) return i;
    }
    return -1;
}

fs::path LevelSet::FilePath(int32_t index) const { return LevelFilePath(Level(index)); }

bool LevelSet::AnyModified() const {
    return std::any_of(levels().begin(), levels().end(), [](const auto& level) { return level->IsModified(); });
}

std::vector<std::string> LevelSet::ModifiedFiles() const {
    std::vector<std::string> files;
    for (const auto& level : levels()) {
        if (level->IsModified()) files.push_back(level->fileName);
    }
    return files;
}

void LevelSet::Save(int32_t index) {
    LevelData& level = *levels().at(size_t(index));
    // The level's codes stay those on disk until the file is written.
    LevelData written;
    written.name = level.name;
    written.fileName = level.fileName;
    written.tiles = level.shown;
    WriteLevelFile(written);
    level.tiles = level.shown;
    level.hasFile = true;
}

std::vector<std::string> LevelSet::RestoreRecoveryCopies() {
    std::vector<int32_t> recovered;
    const fs::path ourFolder = RecoveryCopies::Identity(SaveFolder());
    for (const RecoveryCopies::Found& found : recovery_.ReadAll()) {
        int32_t match = -1;
        for (int32_t i = 0; i < Count() && match < 0; ++i) {
            if (RecoveryCopies::Identity(FilePath(i)) == found.level) match = i;
        }
        const fs::path file(found.level);
        boost::system::error_code error;
        if (match >= 0) {
            levels()[size_t(match)]->recovery = {found.codes, true, -1};
            if (found.codes == Codes(match)) continue;  // nothing lost: the next keeping removes it
            Recover(match, found.codes);
            recovered.push_back(match);
        } else if (found.never && file.parent_path() == ourFolder && !fs::exists(file, error)) {
            Adopt(file.filename().string(), found.codes);
            levels().back()->recovery = {found.codes, true, -1};
            recovered.push_back(Count() - 1);
        } else if (!fs::exists(file, error)) {
            recovery_.SetAside(found);
        }
        // Otherwise a level of another content folder: its own game will restore it.
    }
    std::sort(recovered.begin(), recovered.end());
    std::vector<std::string> names;
    for (int32_t i : recovered) names.push_back(FilePath(i).filename().string());
    return names;
}
