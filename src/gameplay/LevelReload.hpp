#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "gameplay/Grid.hpp"

class LevelSet;

// Notices level files that another program changed, added or deleted in the save folder while
// the game runs, by a look at the folder (names, sizes, times) at most once a second. A level
// without unsaved edits takes its file's new codes quietly; one with edits asks over the maze
// whether to reload (the edits go) or keep them (the next save overwrites the file). A new file
// joins the list in name order; a deleted file's level stays, as never saved. A file that holds
// what the game knows is in it (its own save) is no change, and a file that cannot be read
// changes nothing and is named in the strip.
class LevelReload {
public:
    // `say` shows a line in the strip below the maze.
    LevelReload(LevelSet& levels, std::function<void(const std::string&)> say);

    // Notes the save folder's level files as they are now.
    void Start();
    // Once per update with the game's time in seconds: looks at most once a second, and at once
    // when the window has just gained the focus; true when it looked.
    bool Update(float now, bool focusGained = false);
    // Looks at the files now, and asks about a changed level with edits once nothing else is
    // open over the maze.
    void Check();

    // A level file bigger than this is no level (one is about 1 KB).
    static constexpr uintmax_t mostBytes = 1 << 20;

private:
    struct Stamp {
        int32_t kind = 0;  // 1 a file (or a link to one), 2 something else, 3 a broken link
        uintmax_t size = 0;
        int64_t changed = 0;  // nanoseconds
        uintmax_t node = 0;   // a file renamed over the old one has a new node
        bool operator==(const Stamp&) const = default;
    };
    struct Question {
        std::string fileName;
        LevelCodes codes{};
    };

    std::map<std::string, Stamp> Look() const;
    void Changed(const std::string& fileName, const boost::filesystem::path& file, bool isFile);
    void Gone(const std::string& fileName);
    void AskNext();

    LevelSet& levels_;
    std::function<void(const std::string&)> say_;
    std::map<std::string, Stamp> stamps_;
    std::vector<Question> questions_;
    float lastLook_ = 0.0f;
};

// The codes of a level file that changed on disk. A file that is not a regular file (a folder,
// a broken link), bigger than LevelReload::mostBytes, not JSON or no level is a ContentError
// naming it.
LevelCodes ReadChangedLevel(const boost::filesystem::path& file);
