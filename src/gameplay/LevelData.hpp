#pragma once

#include <boost/property_tree/ptree_fwd.hpp>
#include <cstdint>
#include <optional>
#include <string>

#include "gameplay/EditHistory.hpp"
#include "gameplay/Grid.hpp"

// What the recovery copy of a level holds, as far as the game knows.
struct RecoveryState {
    LevelCodes codes{};     // as in the copy (written, or waiting to be)
    bool onDisk = false;
    float changedAt = -1;   // game time when the shown codes first differed from the copy; -1 when they do not
};

// One level while the game runs: its file, the codes in that file, the codes it shows, its undo
// history and its recovery copy. The level list (GameplayState.levels) holds one each; LevelSet
// is the only one that changes them.
class LevelData {
public:
    virtual ~LevelData() = default;

    // Fills `tiles` from the tree's "Tiles" member, a comma-separated list of decimal codes.
    // An empty list changes nothing; pieces beyond slot 125 are ignored; slots after the
    // last piece keep their values. A missing "Tiles" member, or a piece that holds no
    // number (empty, a letter first, out of 32-bit range), throws std::runtime_error naming
    // the piece's position (the loader adds the file).
    void ReadFrom(const boost::property_tree::ptree& tree);
    // Sets the tree's "Tiles" member to the 126 codes joined by commas.
    void WriteTo(boost::property_tree::ptree& tree) const;

    // The codes shown differ from the file, or there is no file yet.
    bool IsModified() const { return !hasFile || shown != tiles; }

    std::string name;      // the file's stem, case kept
    std::string fileName;  // its file's name, kept by a save (in the save folder, see LevelFiles)
    int32_t index = 0;     // position in the level list when it was added
    LevelCodes tiles{};    // as in its file (as loaded, then as last saved)
    LevelCodes shown{};    // what the level shows; the grid shows the current level's
    EditHistory history;
    bool hasFile = true;
    RecoveryState recovery;
};

// Where the player starts in `codes`: the start cell (code 7) of the highest slot, none without one.
std::optional<GridCell> StartCell(const LevelCodes& codes);
// Where showing the level puts the player: its start cell, else cell (2, 1).
GridCell PlayerCell(const LevelCodes& codes);
