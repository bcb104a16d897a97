#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "gameplay/Grid.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/RecoveryCopies.hpp"

// The levels while the game runs, and the only way to change them: the list is
// GameplayState.levels, one LevelData each (its file, the codes on disk and shown, its undo
// history, its recovery copy). Showing, painting, undoing, saving, recovering and adding a
// level all go through here, and nothing else puts codes on the grid, which always shows the
// current level's `shown` codes.
// A code for one cell: a part of a rectangle, a fill or a paste.
struct CellCode {
    GridCell cell;
    int32_t code = 0;
};

class LevelSet {
public:
    // Recovery copies go to `recoveryFolder`; none are kept without one.
    explicit LevelSet(std::optional<boost::filesystem::path> recoveryFolder = std::nullopt);

    // Loads every level file (a ContentError as LoadLevels gives it); nothing is modified or shown.
    void Load();
    int32_t Count() const;
    int32_t Shown() const;
    const LevelData& Level(int32_t index) const;

    // Shows level `index` (wrapping around the list): its codes on the grid, the player on its
    // PlayerCell with the animation started afresh. The level shown before closes its stroke.
    void Show(int32_t index);
    // The first show at start: as Show, but without a start cell the animation is not started.
    void ShowFirst();

    // Puts `code` on `cell` of the shown level, as part of the open stroke; painting the start
    // code puts the player there. A cell off the grid does nothing.
    void Paint(GridCell cell, int32_t code);
    // The cursor took another code (the copy action): part of the open stroke.
    void RecordCursor(int32_t before, int32_t after);
    void EndStroke();
    // Takes the shown level's last step back, or applies the next again; false when there was none.
    bool Undo();
    bool Redo();

    // Adds a level after the last, a closed duct loop around floor with the start at column 1,
    // row 1, named after the first free file name Level2.json ... Level999.json, and shows it.
    // Its file is written on its first save. False, and nothing added, when no name is free.
    bool AddNew();
    // Adds a level whose file does not exist yet, with `codes`, after the last; not shown.
    void Adopt(const std::string& fileName, const LevelCodes& codes);
    // Makes `codes` the level's unsaved edits, as one step of its history that takes them back.
    void Recover(int32_t index, const LevelCodes& codes);

    // Puts each code on its cell of the shown level as one step of its history (a rectangle, a
    // fill, a paste); cells off the grid are left out, a start code puts the player there.
    void PaintCells(std::span<const CellCode> cells);
    // The level's file now holds `codes`. With `keepShown` the shown codes stay (the user keeps
    // the edits, so the next save overwrites the file); otherwise the level shows the file's
    // codes and its history starts afresh.
    void TakeFromFile(int32_t index, const LevelCodes& codes, bool keepShown);
    // The level's file is gone: the level stays, as never saved.
    void LoseFile(int32_t index);
    // Adds a level for a file that appeared, in the list's name order; the shown level stays
    // shown. Gives its index.
    int32_t Insert(const std::string& fileName, const LevelCodes& codes);
    // The level whose file is `fileName` (exactly), or -1.
    int32_t Find(const std::string& fileName) const;

    const LevelCodes& Codes(int32_t index) const { return Level(index).shown; }
    // Where the level is saved (the file need not exist yet): in the save folder, see LevelFiles.
    boost::filesystem::path FilePath(int32_t index) const;
    bool HasFile(int32_t index) const { return Level(index).hasFile; }
    bool IsModified(int32_t index) const { return Level(index).IsModified(); }
    bool AnyModified() const;
    // The modified levels' file names, in list order.
    std::vector<std::string> ModifiedFiles() const;
    // Writes level `index` with the codes it shows. A failure is a ContentError naming the
    // file; the level stays modified.
    void Save(int32_t index);

    // At start, after Load: brings back the edits kept in recovery copies (see RecoveryCopies);
    // gives the recovered levels' file names in list order.
    std::vector<std::string> RestoreRecoveryCopies();
    // Once a frame (`now` is the game's time): keeps the copies of modified levels up to date.
    void KeepRecoveryCopies(float now) { recovery_.Keep(levels(), now); }
    // The game is ending: every modified level's copy is written now, and finished.
    void FlushRecoveryCopies() { recovery_.Flush(levels()); }
    // The edits are thrown away: every copy goes, and none is written from now on.
    void DiscardRecoveryCopies() { recovery_.Discard(levels()); }
    RecoveryCopies& recovery() { return recovery_; }

private:
    // GameplayState.levels, which only this changes.
    static std::vector<std::unique_ptr<LevelData>>& levels();
    LevelData& Current() { return *levels().at(size_t(Shown())); }
    // The one place that changes a code the grid shows.
    void PutOnGrid(int32_t slot, int32_t code);
    void ApplyStep(std::span<const EditChange> step, bool redo);

    RecoveryCopies recovery_;
};
