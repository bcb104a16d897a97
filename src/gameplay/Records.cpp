#include "gameplay/Records.hpp"

#include <algorithm>
#include <boost/property_tree/ptree.hpp>
#include <cstdio>
#include <stdexcept>

#include "core/ErrorReport.hpp"
#include "core/OwnFiles.hpp"
#include "core/UserFolders.hpp"

namespace pt = boost::property_tree;

namespace {

constexpr int32_t mostMoves = 1000000;
constexpr int64_t mostMilliseconds = int64_t(1000) * 60 * 60 * 24 * 365;

bool IsKey(const std::string& key) {
    if (key.size() != 16) return false;
    for (char c : key) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

template <class T>
T Number(const pt::ptree& entry, const char* member, T most, const std::string& key) {
    const auto value = entry.get_optional<T>(member);
    if (!value || *value < 0 || *value > most || !entry.get_child(member).empty())
        throw std::runtime_error("the record of " + key + " has no whole number \"" + member + "\" from 0 to " +
                                 std::to_string(most));
    return *value;
}

}  // namespace

std::string RecordKey(const LevelCodes& codes) {
    // FNV-1a over the codes as the level file writes them: the same on every machine.
    uint64_t hash = 14695981039346656037ull;
    const auto add = [&](char c) { hash = (hash ^ uint8_t(c)) * 1099511628211ull; };
    for (size_t slot = 0; slot < codes.size(); ++slot) {
        if (slot > 0) add(',');
        char digits[16];
        const int length = std::snprintf(digits, sizeof digits, "%d", int(codes[slot]));
        for (int i = 0; i < length; ++i) add(digits[i]);
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::optional<boost::filesystem::path> Records::DefaultFile() {
    const auto data = DataHome();
    if (!data) return std::nullopt;
    return *data / "glimmerduct" / "records.json";
}

void Records::Load() {
    entries_.clear();
    if (!file_) return;
    std::map<std::string, Entry> read;
    const OwnJsonFile file = ReadOwnJsonFile(*file_, [&](const pt::ptree& tree) {
        // An array's members have no names; a text has data and no members.
        const auto object = [](const pt::ptree& node) {
            return node.data().empty() && std::all_of(node.begin(), node.end(), [](const auto& m) { return !m.first.empty(); });
        };
        if (!object(tree)) throw std::runtime_error("the records must be a JSON object");
        const auto levels = tree.get_child_optional("Levels");
        if (!levels) return;
        if (!object(*levels)) throw std::runtime_error("\"Levels\" must be a JSON object");
        if (levels->size() > maxLevels)
            throw std::runtime_error("more than " + std::to_string(maxLevels) + " levels have records");
        for (const auto& [key, entry] : *levels) {
            if (!IsKey(key)) throw std::runtime_error("\"" + key + "\" is no level key (16 hexadecimal digits)");
            Entry& kept = read[key];
            kept.best.moves = Number<int32_t>(entry, "BestMoves", mostMoves, key);
            kept.best.milliseconds = Number<int64_t>(entry, "BestMilliseconds", mostMilliseconds, key);
            kept.name = entry.get("Name", "");
        }
    });
    mayWrite_ = file.mayWrite;
    if (file.tree) entries_ = std::move(read);
}

std::optional<LevelRecord> Records::Find(const LevelCodes& codes) const {
    const auto found = entries_.find(RecordKey(codes));
    if (found == entries_.end()) return std::nullopt;
    return found->second.best;
}

Records::Outcome Records::Offer(const LevelCodes& codes, const std::string& name, int32_t moves,
                                int64_t milliseconds) {
    const std::string key = RecordKey(codes);
    Outcome outcome;
    const auto found = entries_.find(key);
    if (found != entries_.end()) outcome.before = found->second.best;
    outcome.fewerMoves = !outcome.before || moves < outcome.before->moves;
    outcome.faster = !outcome.before || milliseconds < outcome.before->milliseconds;
    if (!outcome.fewerMoves && !outcome.faster) return outcome;
    Entry& entry = entries_[key];
    if (outcome.fewerMoves) entry.best.moves = moves;
    if (outcome.faster) entry.best.milliseconds = milliseconds;
    entry.name = name;
    Write();
    return outcome;
}

void Records::Write() const {
    if (!file_ || !mayWrite_) return;
    pt::ptree levels;
    for (const auto& [key, entry] : entries_) {
        pt::ptree record;
        record.put("Name", entry.name);
        record.put("BestMoves", entry.best.moves);
        record.put("BestMilliseconds", entry.best.milliseconds);
        levels.push_back({key, record});
    }
    pt::ptree tree;
    tree.put_child("Levels", levels);
    try {
        WriteOwnJsonFile(*file_, tree);
    } catch (const std::exception& e) {
        // The record stays for this run; the next improvement tries again.
        ReportToLog(file_->string() + ": the records were not saved: " + e.what());
    }
}
