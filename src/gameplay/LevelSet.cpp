#include "gameplay/LevelSet.hpp"

#include <algorithm>
#include <memory>

#include "core/FolderListing.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/Player.hpp"
#include "gameplay/TileKind.hpp"

namespace {

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

void ShowCodes(const LevelCodes& codes) {
    for (int32_t slot = 0; slot < TileCount; ++slot) gameplayState.tiles[size_t(slot)]->SetKind(codes[size_t(slot)]);
}

}  // namespace

LevelCodes GridCodes() {
    LevelCodes codes{};
    for (int32_t slot = 0; slot < TileCount; ++slot) codes[size_t(slot)] = gameplayState.tiles[size_t(slot)]->kind;
    return codes;
}

void LevelSet::Load() {
    LoadLevels();
    edits_.clear();
    edits_.resize(gameplayState.levels.size());
    for (size_t i = 0; i < edits_.size(); ++i) edits_[i].codes = gameplayState.levels[i]->tiles;
}

int32_t LevelSet::Shown() const { return gameplayState.currentLevelIndex; }

LevelCodes LevelSet::Codes(int32_t index) const {
    return index == Shown() ? GridCodes() : edits_.at(size_t(index)).codes;
}

void LevelSet::Show(int32_t index) {
    if (edits_.empty()) return;
    Edits& before = edits_.at(size_t(Shown()));
    before.codes = GridCodes();
    before.history.EndStroke();
    const int32_t count = Count();
    gameplayState.currentLevelIndex = ((index % count) + count) % count;
    // As at start: where the player stands when the level has no start cell, and a fresh animation.
    PlacePlayer(2, 1);
    RestartPlayerAnimation();
    ShowCodes(edits_[size_t(Shown())].codes);
}

void LevelSet::Adopt(const std::string& fileName, const LevelCodes& codes) {
    auto level = std::make_unique<LevelData>();
    level->fileName = fileName;
    level->name = StemOf(fileName);
    level->index = int32_t(gameplayState.levels.size());
    level->tiles = codes;
    Edits edits;
    edits.codes = codes;
    edits.written = false;
    gameplayState.levels.push_back(std::move(level));
    edits_.push_back(std::move(edits));
}

bool LevelSet::AddNew() {
    const std::optional<std::string> file = FreeLevelFileName();
    if (!file) return false;
    Adopt(*file, NewLevelCodes());
    Show(Count() - 1);
    return true;
}

void LevelSet::Recover(int32_t index, const LevelCodes& codes) {
    const LevelCodes before = Codes(index);
    EditHistory& history = edits_.at(size_t(index)).history;
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        if (before[size_t(slot)] != codes[size_t(slot)]) history.Record(slot, before[size_t(slot)], codes[size_t(slot)]);
    }
    history.EndStroke();
    edits_[size_t(index)].codes = codes;
    if (index == Shown()) ShowCodes(codes);
}

boost::filesystem::path LevelSet::FilePath(int32_t index) const {
    return SaveFolder() / gameplayState.levels.at(size_t(index))->fileName;
}

bool LevelSet::IsModified(int32_t index) const {
    const Edits& edits = edits_.at(size_t(index));
    return !edits.written || Codes(index) != gameplayState.levels.at(size_t(index))->tiles;
}

bool LevelSet::AnyModified() const {
    for (int32_t i = 0; i < Count(); ++i) {
        if (IsModified(i)) return true;
    }
    return false;
}

std::vector<std::string> LevelSet::ModifiedFiles() const {
    std::vector<std::string> files;
    for (int32_t i = 0; i < Count(); ++i) {
        if (IsModified(i)) files.push_back(gameplayState.levels[size_t(i)]->fileName);
    }
    return files;
}

void LevelSet::Save(int32_t index) {
    LevelData& level = *gameplayState.levels.at(size_t(index));
    // The level's codes stay those on disk until the file is written.
    LevelData written = level;
    written.tiles = Codes(index);
    WriteLevelFile(written);
    level.tiles = written.tiles;
    edits_[size_t(index)].written = true;
}
