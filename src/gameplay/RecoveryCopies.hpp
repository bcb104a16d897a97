#pragma once

#include <optional>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "core/BackgroundSync.hpp"
#include "gameplay/LevelSet.hpp"

// Copies of the codes of levels that differ from their files, kept in the user's state folder
// so that edits outlive a crash, a kill or a power cut. Level files themselves are only ever
// written by a save. One file per level, named after the level and a hash of its full path, so
// levels of the same name in different content folders do not collide; it holds that path,
// the codes, the time and whether the level had a file at all.
class RecoveryCopies {
public:
    // Seconds from a change to its copy: the most work a crash can take.
    static constexpr float delaySeconds = 0.5f;

    // Copies go to `folder`, created when first needed; none are kept without one.
    explicit RecoveryCopies(std::optional<boost::filesystem::path> folder);

    // At start, after the levels are loaded: a copy whose codes differ from its level's file
    // becomes that level's unsaved edits (one undo step takes them back); a copy of a level
    // that was never saved brings that level back. Gives the recovered levels' file names. A
    // damaged copy, or one of a level that no longer exists, is left alone with one line on
    // stderr.
    std::vector<std::string> Restore(LevelSet& levels);
    // Once a frame: writes the copy of one level whose codes changed at least delaySeconds
    // ago (`now` is the game's time), and removes the copies of levels no longer modified.
    void Keep(const LevelSet& levels, float now);
    // The game is ending: every modified level's copy is written now.
    void Flush(const LevelSet& levels);
    // The edits are thrown away: every copy goes, and none is written from now on.
    void Discard(const LevelSet& levels);

    // The copy of the level whose file is `levelFile`.
    boost::filesystem::path CopyOf(const boost::filesystem::path& levelFile) const;

private:
    struct Kept {
        LevelCodes codes{};     // as in the copy on disk
        bool onDisk = false;
        float changedAt = -1;   // when the codes first differed from the copy; -1 when they do not
    };
    // Brings level `index`'s copy up to date now: written when modified, removed when not.
    void Update(const LevelSet& levels, int32_t index);
    void Write(const LevelSet& levels, int32_t index, const LevelCodes& codes);
    void Remove(const LevelSet& levels, int32_t index);

    std::optional<boost::filesystem::path> folder_;
    std::vector<Kept> kept_;  // by level index
    bool discarded_ = false;
    bool failed_ = false;  // the last write failed: said once, not every half second
    BackgroundSync sync_;
};
