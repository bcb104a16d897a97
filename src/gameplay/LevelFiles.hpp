#pragma once

#include <optional>
#include <string>

#include <boost/filesystem/path.hpp>

class LevelData;

// The content's level folder (Levels in the content folder).
boost::filesystem::path LevelFolder();

// The user's own level folder, $XDG_DATA_HOME/glimmerduct/Levels (~/.local/share/... by
// default), when the content is installed; none otherwise, or when there is no home folder.
std::optional<boost::filesystem::path> UserLevelFolder();

// Where levels are saved: the user's own level folder for installed content (empty when there
// is none), else the content's level folder. Installed level files are never written.
boost::filesystem::path SaveFolder();

// Replaces the level list with one level per ".json" file (any case) directly in the level
// folder and, when it exists, the user's own level folder, in listing order (by file name,
// letter case aside). A user's file replaces the content's file of the same name, letter case
// aside, as a level pack unpacked on a file system that ignores case could hold only one of
// them. A missing content level folder, a file that is not JSON, lacks "Tiles" or holds a
// piece that is no number is a ContentError naming the file. No file gives an empty list.
void LoadLevels();

// A ContentError naming the content's level folder when the level list is empty: the game
// has nothing to start with.
void RequireSomeLevel();

// Deletes every level of the list.
void ClearLevels();

// Where `level` is saved: its file name (the one it was loaded from, else name + ".json") in
// the save folder.
boost::filesystem::path LevelFilePath(const LevelData& level);

// Saves `level`'s `tiles` to LevelFilePath, creating the save folder first when it is the
// user's own, through the durable writer: a failure at any point leaves the old file whole;
// the new file keeps the old one's permission bits; a level file that is a symbolic link stays
// one and the file it points to is replaced; a file without any write permission bit is not
// replaced. A failure is a ContentError naming the level's file.
void WriteLevelFile(const LevelData& level);

// The first of Level2.json, Level3.json ... Level999.json that no level of the list and no
// entry of the level folder or the save folder is called (letter case aside); none when all
// are taken.
std::optional<std::string> FreeLevelFileName();
