#pragma once

#include <array>
#include <boost/property_tree/ptree_fwd.hpp>
#include <cstdint>
#include <string>

#include "gameplay/Grid.hpp"

// One level: the tile codes of the 14 x 9 grid, slot = row * 14 + column.
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

    std::string name;      // the file's stem, case kept
    std::string fileName;  // its file's name, kept by a save (in the save folder, see LevelFiles)
    int32_t index = 0;     // position in the level list when it was added
    std::array<int32_t, TileCount> tiles{};
};
