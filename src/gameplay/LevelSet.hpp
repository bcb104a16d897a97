#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "gameplay/EditHistory.hpp"
#include "gameplay/Grid.hpp"

using LevelCodes = std::array<int32_t, TileCount>;

// The codes the grid tiles show now, slot by slot.
LevelCodes GridCodes();

// The levels while the game runs. The list itself is GameplayState.levels, whose codes stay
// as on disk until a save; beside each level this keeps the codes it shows (the grid's for the
// shown one), its own undo history and whether its file exists yet.
class LevelSet {
public:
    // Loads every level file (a ContentError as LoadLevels gives it); nothing is modified.
    void Load();
    int32_t Count() const { return int32_t(edits_.size()); }
    int32_t Shown() const;
    // The shown level's undo history (before any level is loaded, one that no level keeps).
    EditHistory& History() { return edits_.empty() ? unloaded_ : edits_.at(size_t(Shown())).history; }

    // Shows level `index` (wrapping around the list) as at start: the player on its start
    // cell, its animation restarted. The level shown before keeps the grid's codes.
    void Show(int32_t index);
    // Adds a level after the last, a closed duct loop around floor with the start at column 1,
    // row 1, named after the first free file name Level2.json ... Level999.json, and shows it.
    // Its file is written on its first save. False, and nothing added, when no name is free.
    bool AddNew();

    // Adds a level whose file does not exist yet, with `codes`, after the last; not shown.
    void Adopt(const std::string& fileName, const LevelCodes& codes);
    // Makes `codes` the level's unsaved edits, as one step of its history that takes them back.
    void Recover(int32_t index, const LevelCodes& codes);

    // The codes the level shows (the grid's for the shown level).
    LevelCodes Codes(int32_t index) const;
    // Where the level is saved (the file need not exist yet): in the save folder, see LevelFiles.
    boost::filesystem::path FilePath(int32_t index) const;
    bool IsWritten(int32_t index) const { return edits_.at(size_t(index)).written; }
    // The codes shown differ from the file, or there is no file yet.
    bool IsModified(int32_t index) const;
    bool AnyModified() const;
    // The modified levels' file names, in list order.
    std::vector<std::string> ModifiedFiles() const;

    // Writes level `index` with the codes it shows. A failure is a ContentError naming the
    // file; the level stays modified.
    void Save(int32_t index);

private:
    struct Edits {
        LevelCodes codes{};  // not read for the shown level: the grid holds its codes
        EditHistory history;
        bool written = true;
    };
    std::vector<Edits> edits_;
    EditHistory unloaded_;
};
