#pragma once

#include <optional>
#include <string>

#include <boost/filesystem/path.hpp>

class LevelData;

// The folder levels are read from and saved to, relative to the working folder.
boost::filesystem::path LevelFolder();

// Replaces the level list with one level per ".json" file (any case) directly in the level
// folder, in sorted listing order. A missing folder, a file that is not JSON, lacks "Tiles"
// or holds a piece that is no number is a ContentError naming the file. An empty folder
// gives an empty list.
void LoadLevels();

// Deletes every level of the list.
void ClearLevels();

// Saves `level` to its file (the one it was loaded from, else name + ".json") in the level
// folder. The text goes to a temporary file beside it, is flushed to disk and renamed over
// the old file, so a failure at any point leaves the old file whole; the new file keeps the
// old one's permission bits. A level file that is a symbolic link stays one: the file it
// points to is replaced the same way, in its own folder. A file without any write permission
// bit is not replaced. A failure is a ContentError naming the level's file; the temporary
// file is removed.
void WriteLevelFile(const LevelData& level);

// The first of Level2.json, Level3.json ... Level999.json that no level of the list and no
// entry of the level folder is called (letter case aside); none when all are taken.
std::optional<std::string> FreeLevelFileName();
