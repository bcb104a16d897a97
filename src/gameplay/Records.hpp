#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include <boost/filesystem/path.hpp>

#include "gameplay/Grid.hpp"

// The best a level has been finished in. Moves and time are kept apart: the fewest moves and
// the fastest time may come from different runs.
struct LevelRecord {
    int32_t moves = 0;
    int64_t milliseconds = 0;  // game time from the first step to the arrival
};

// The level's key in the records: a hash of its 126 codes, so a renamed, moved or reinstalled
// level keeps its records and an edited one starts afresh. 16 hexadecimal digits.
std::string RecordKey(const LevelCodes& codes);

// The best results per level, kept in the user's records file ($XDG_DATA_HOME/glimmerduct/
// records.json). The file is read once and rewritten whole, through the durable writer, each
// time a record improves.
class Records {
public:
    static constexpr size_t maxLevels = 10000;  // more than any player keeps: a bigger file is damaged

    // Where the records of this user live; none without a data folder.
    static std::optional<boost::filesystem::path> DefaultFile();

    // Records kept in `file`; none: kept for this run only.
    explicit Records(std::optional<boost::filesystem::path> file = std::nullopt) : file_(std::move(file)) {}

    // Reads the file. A damaged one is moved aside (one line on stderr) and the game starts
    // with no records; one that cannot be moved aside is never written over.
    void Load();

    std::optional<LevelRecord> Find(const LevelCodes& codes) const;

    struct Outcome {
        std::optional<LevelRecord> before;  // none: the first finish
        bool fewerMoves = false;
        bool faster = false;
    };
    // A finished run of the level with `codes`: what improves is kept and the file rewritten.
    // A failed write leaves the old file whole and is one line on stderr; the game plays on.
    Outcome Offer(const LevelCodes& codes, const std::string& name, int32_t moves, int64_t milliseconds);

private:
    struct Entry {
        LevelRecord best;
        std::string name;  // the level's name when last improved, for a person reading the file
    };
    void Write() const;

    std::optional<boost::filesystem::path> file_;
    bool mayWrite_ = true;
    std::map<std::string, Entry> entries_;
};
