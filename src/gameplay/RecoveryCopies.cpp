#include "gameplay/RecoveryCopies.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
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
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"

namespace fs = boost::filesystem;
namespace pt = boost::property_tree;

namespace {

// The level file's full path, links resolved, as the copy names it.
std::string Identity(const fs::path& levelFile) {
    boost::system::error_code error;
    const fs::path full = fs::weakly_canonical(fs::absolute(levelFile), error);
    return (error ? fs::absolute(levelFile) : full).string();
}

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

// Temporary file and rename: a reader finds the old copy or the new one, never half of one.
bool WriteReplacing(const fs::path& file, const std::string& text) {
    const std::string temporary = file.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), file.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

}  // namespace

RecoveryCopies::RecoveryCopies(std::optional<fs::path> folder) : folder_(std::move(folder)) {}

fs::path RecoveryCopies::CopyOf(const fs::path& levelFile) const {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Hash(Identity(levelFile))));
    return *folder_ / (StemOf(levelFile) + "-" + hash + ".json");
}

std::vector<std::string> RecoveryCopies::Restore(LevelSet& levels) {
    std::vector<int32_t> recovered;
    boost::system::error_code error;
    if (!folder_ || !fs::is_directory(*folder_, error)) return {};
    const fs::path ourFolder = Identity(SaveFolder());
    std::vector<fs::path> copies;
    try {
        ForEachFileWithExtension(*folder_, ".json", [&](const fs::path& copy) { copies.push_back(copy); });
    } catch (const std::exception& e) {
        ReportToLog(DescribeFatalError(e));  // an unreadable folder costs the recovery, not the game
    }
    for (const fs::path& copy : copies) {
        std::string level;
        LevelData data;
        bool never = false;
        try {
            const pt::ptree tree = ReadJsonFile(copy);
            level = tree.get<std::string>("Level");
            never = tree.get<bool>("New", false);
            LoadingFile(copy, [&] { data.ReadFrom(tree); });
        } catch (const std::exception& e) {
            ReportToLog(copy.string() + ": a damaged recovery copy, ignored: " + DescribeLibraryError(e));
            continue;
        }
        bool ours = false;
        for (int32_t i = 0; i < levels.Count(); ++i) {
            if (Identity(levels.FilePath(i)) != level) continue;
            ours = true;
            kept_.resize(size_t(levels.Count()));
            kept_[size_t(i)] = Kept{data.tiles, true, -1};
            if (data.tiles == levels.Codes(i)) break;  // nothing lost: Keep removes it
            levels.Recover(i, data.tiles);
            recovered.push_back(i);
            break;
        }
        const fs::path levelFile(level);
        if (ours) continue;
        if (never && levelFile.parent_path() == ourFolder && !fs::exists(levelFile, error)) {
            levels.Adopt(levelFile.filename().string(), data.tiles);
            kept_.resize(size_t(levels.Count()));
            kept_.back() = Kept{data.tiles, true, -1};
            recovered.push_back(levels.Count() - 1);
        } else if (!fs::exists(levelFile, error)) {
            ReportToLog(copy.string() + ": a recovery copy of " + level + ", which no longer exists, ignored");
        }
        // Otherwise a level of another content folder: its own game will restore it.
    }
    std::sort(recovered.begin(), recovered.end());
    std::vector<std::string> names;
    for (int32_t i : recovered) names.push_back(levels.FilePath(i).filename().string());
    return names;
}

void RecoveryCopies::Keep(const LevelSet& levels, float now) {
    if (!folder_ || discarded_) return;
    if (kept_.size() < size_t(levels.Count())) kept_.resize(size_t(levels.Count()));
    bool wrote = false;
    for (int32_t i = 0; i < levels.Count(); ++i) {
        Kept& kept = kept_[size_t(i)];
        if (!levels.IsModified(i)) {
            if (kept.onDisk) Remove(levels, i);
            kept.changedAt = -1;
            continue;
        }
        const LevelCodes codes = levels.Codes(i);
        if (kept.onDisk && codes == kept.codes) {
            kept.changedAt = -1;
        } else if (kept.changedAt < 0) {
            kept.changedAt = now;  // never in the frame of the change itself
        } else if (!wrote && now - kept.changedAt >= delaySeconds) {
            Write(levels, i, codes);
            wrote = true;
        }
    }
}

void RecoveryCopies::Flush(const LevelSet& levels) {
    if (!folder_ || discarded_) return;
    if (kept_.size() < size_t(levels.Count())) kept_.resize(size_t(levels.Count()));
    for (int32_t i = 0; i < levels.Count(); ++i) Update(levels, i);
}

void RecoveryCopies::Update(const LevelSet& levels, int32_t index) {
    const Kept& kept = kept_[size_t(index)];
    if (!levels.IsModified(index)) {
        if (kept.onDisk) Remove(levels, index);
        return;
    }
    const LevelCodes codes = levels.Codes(index);
    if (!kept.onDisk || codes != kept.codes) Write(levels, index, codes);
}

void RecoveryCopies::Discard(const LevelSet& levels) {
    for (int32_t i = 0; i < levels.Count() && size_t(i) < kept_.size(); ++i) {
        if (kept_[size_t(i)].onDisk) Remove(levels, i);
    }
    discarded_ = true;
}

void RecoveryCopies::Write(const LevelSet& levels, int32_t index, const LevelCodes& codes) {
    Kept& kept = kept_[size_t(index)];
    kept.changedAt = -1;
    boost::system::error_code error;
    fs::create_directories(*folder_, error);
    pt::ptree tree;
    tree.put("Level", Identity(levels.FilePath(index)));
    LevelData data;
    data.tiles = codes;
    data.WriteTo(tree);
    tree.put("Time", Now());
    if (!levels.IsWritten(index)) tree.put("New", true);
    std::ostringstream text;
    pt::write_json(text, tree, true);
    const fs::path copy = CopyOf(levels.FilePath(index));
    if (!WriteReplacing(copy, text.str())) {
        // Tried again half a second on; the game goes on.
        if (!failed_) ReportToLog(copy.string() + ": cannot write the recovery copy");
        failed_ = true;
        return;
    }
    failed_ = false;
    kept.codes = codes;
    kept.onDisk = true;
    sync_.Sync(copy.string());
}

void RecoveryCopies::Remove(const LevelSet& levels, int32_t index) {
    boost::system::error_code error;
    fs::remove(CopyOf(levels.FilePath(index)), error);
    kept_[size_t(index)].onDisk = false;
}
