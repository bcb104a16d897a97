#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "core/BackgroundWriter.hpp"
#include "gameplay/LevelData.hpp"

using LevelList = std::vector<std::unique_ptr<LevelData>>;

// Copies of the codes of levels that differ from their files, kept in the user's state folder
// so that edits outlive a crash, a kill or a power cut. Level files themselves are only ever
// written by a save. One file per level, named after the level and a hash of its full path, so
// levels of the same name in different content folders do not collide; it holds that path,
// the codes, the time and whether the level had a file at all. What a level's copy holds is
// kept in its record (LevelData::recovery); the writing runs on a thread of its own.
class RecoveryCopies {
public:
    // Seconds from a change to its copy: the most work a crash can take.
    static constexpr float delaySeconds = 0.5f;

    // Copies go to `folder`, created when first needed; none are kept without one.
    explicit RecoveryCopies(std::optional<boost::filesystem::path> folder);

    // A copy found in the folder.
    struct Found {
        boost::filesystem::path copy;
        std::string level;  // the level file's full path (Identity)
        LevelCodes codes{};
        bool never = false;  // the level had no file when the copy was written
    };
    // Every readable copy in the folder; a damaged one is left alone with one line on stderr.
    std::vector<Found> ReadAll() const;
    // A copy whose level is gone: one line on stderr, and it moves into the folder "orphaned",
    // so that it is neither lost nor reported again at every start.
    void SetAside(const Found& found) const;

    // Once a frame: writes the copy of one level whose codes changed at least delaySeconds
    // ago (`now` is the game's time), and removes the copies of levels no longer modified.
    void Keep(LevelList& levels, float now);
    // The game is ending: every modified level's copy is written now, and finished.
    void Flush(LevelList& levels);
    // The edits are thrown away: every copy goes, and none is written from now on.
    void Discard(LevelList& levels);
    // Returns once every write and removal asked for so far is done.
    void Finish() { writer_.Finish(); }

    // The copy of the level whose file is `levelFile`.
    boost::filesystem::path CopyOf(const boost::filesystem::path& levelFile) const;
    // A level file's full path, links resolved, as a copy names it.
    static std::string Identity(const boost::filesystem::path& levelFile);

private:
    // Brings the level's copy up to date now: written when modified, removed when not.
    void Update(LevelData& level);
    void Write(LevelData& level);
    void Remove(LevelData& level);

    std::optional<boost::filesystem::path> folder_;
    bool discarded_ = false;
    uint64_t failuresSeen_ = 0;
    BackgroundWriter writer_;
};
