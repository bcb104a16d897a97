#include "gameplay/RecoveryCopies.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <cstdio>
#include <ctime>
#include <sstream>

#include "core/ContentError.hpp"
#include "core/ErrorReport.hpp"
#include "core/FolderListing.hpp"
#include "core/JsonFile.hpp"
#include "gameplay/LevelFiles.hpp"

namespace fs = boost::filesystem;
namespace pt = boost::property_tree;

namespace {

// FNV-1a, 64 bits: stable from run to run, unlike std::hash.
uint64_t Hash(const std::string& text) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    return h;
}

std::string Now() {
    char text[32];
    const std::time_t t = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&t, &utc);
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// Only the user may read what they were editing.
DurableWriteOptions CopyOptions() {
    DurableWriteOptions options;
    options.newFileMode = 0600;
    return options;
}

}  // namespace

RecoveryCopies::RecoveryCopies(std::optional<fs::path> folder) : folder_(std::move(folder)), writer_(CopyOptions()) {
    writer_.SetFailureText("cannot write the recovery copy");
}

std::string RecoveryCopies::Identity(const fs::path& levelFile) {
    boost::system::error_code error;
    const fs::path full = fs::weakly_canonical(fs::absolute(levelFile), error);
    return (error ? fs::absolute(levelFile) : full).string();
}

fs::path RecoveryCopies::CopyOf(const fs::path& levelFile) const {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Hash(Identity(levelFile))));
    return *folder_ / (StemOf(levelFile) + "-" + hash + ".json");
}

std::vector<RecoveryCopies::Found> RecoveryCopies::ReadAll() const {
    boost::system::error_code error;
    if (!folder_ || !fs::is_directory(*folder_, error)) return {};
    std::vector<fs::path> copies;
    try {
        ForEachFileWithExtension(*folder_, ".json", [&](const fs::path& copy) { copies.push_back(copy); });
    } catch (const std::exception& e) {
        ReportToLog(DescribeFatalError(e));  // an unreadable folder costs the recovery, not the game
    }
    std::vector<Found> found;
    for (const fs::path& copy : copies) {
        try {
            const pt::ptree tree = ReadJsonFile(copy);
            LevelData data;
            LoadingFile(copy, [&] { data.ReadFrom(tree); });
            found.push_back({copy, tree.get<std::string>("Level"), data.tiles, tree.get<bool>("New", false)});
        } catch (const std::exception& e) {
            ReportToLog(copy.string() + ": a damaged recovery copy, ignored: " + DescribeLibraryError(e));
        }
    }
    return found;
}

void RecoveryCopies::SetAside(const Found& found) const {
    const fs::path aside = *folder_ / "orphaned";
    boost::system::error_code error;
    fs::create_directories(aside, error);
    if (!error) fs::rename(found.copy, aside / found.copy.filename(), error);
    ReportToLog(found.copy.string() + ": a recovery copy of " + found.level + ", which no longer exists, " +
                (error ? "ignored" : "moved to " + aside.string()));
}

void RecoveryCopies::Keep(LevelList& levels, float now) {
    if (!folder_ || discarded_) return;
    if (writer_.Failures() != failuresSeen_) {
        // A copy that did not reach the disk is written again half a second on.
        failuresSeen_ = writer_.Failures();
        for (auto& level : levels) level->recovery.onDisk = false;
    }
    bool wrote = false;
    for (auto& level : levels) {
        RecoveryState& kept = level->recovery;
        if (!level->IsModified()) {
            if (kept.onDisk) Remove(*level);
            kept.changedAt = -1;
            continue;
        }
        if (kept.onDisk && level->shown == kept.codes) {
            kept.changedAt = -1;
        } else if (kept.changedAt < 0) {
            kept.changedAt = now;  // never in the frame of the change itself
        } else if (!wrote && now - kept.changedAt >= delaySeconds) {
            Write(*level);
            wrote = true;
        }
    }
}

void RecoveryCopies::Flush(LevelList& levels) {
    if (!folder_ || discarded_) return;
    for (auto& level : levels) Update(*level);
    writer_.Finish();
}

void RecoveryCopies::Update(LevelData& level) {
    const RecoveryState& kept = level.recovery;
    if (!level.IsModified()) {
        if (kept.onDisk) Remove(level);
        return;
    }
    if (!kept.onDisk || level.shown != kept.codes) Write(level);
}

void RecoveryCopies::Discard(LevelList& levels) {
    if (folder_) {
        for (auto& level : levels) {
            if (level->recovery.onDisk) Remove(*level);
        }
    }
    discarded_ = true;
}

void RecoveryCopies::Write(LevelData& level) {
    boost::system::error_code error;
    fs::create_directories(*folder_, error);
    const fs::path file = LevelFilePath(level);
    pt::ptree tree;
    tree.put("Level", Identity(file));
    LevelData data;
    data.tiles = level.shown;
    data.WriteTo(tree);
    tree.put("Time", Now());
    if (!level.hasFile) tree.put("New", true);
    std::ostringstream text;
    pt::write_json(text, tree, true);
    writer_.Write(CopyOf(file), text.str());
    level.recovery = {level.shown, true, -1};
}

void RecoveryCopies::Remove(LevelData& level) {
    writer_.Remove(CopyOf(LevelFilePath(level)));
    level.recovery.onDisk = false;
}
