#include "gameplay/LevelReload.hpp"

#include <sys/stat.h>

#include <boost/property_tree/json_parser.hpp>
#include <fstream>
#include <sstream>

#include "audio/SoundManager.hpp"
#include "core/ContentError.hpp"
#include "core/ErrorReport.hpp"
#include "core/FolderListing.hpp"
#include "core/ContentText.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/LevelSet.hpp"
#include "gameplay/MessagePanel.hpp"

namespace fs = boost::filesystem;

namespace {

constexpr float lookEvery = 1.0f;  // seconds

}  // namespace

LevelCodes ReadChangedLevel(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        struct stat link {};
        throw ContentError(file, ::lstat(file.c_str(), &link) == 0 ? "is a broken link" : "cannot be read");
    }
    if (!S_ISREG(info.st_mode)) throw ContentError(file, "is not a file");
    // Read no more than a level can hold, however big the file is or grows while it is read:
    // a huge file must not stall the frame loop.
    std::ifstream in(file.string(), std::ios::binary);
    std::string text(LevelReload::mostBytes + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    if (in.bad() || (!in && !in.eof())) throw ContentError(file, "cannot be read");
    text.resize(size_t(in.gcount()));
    if (text.size() > LevelReload::mostBytes) {
        throw ContentError(file, "is too large for a level (more than " + std::to_string(LevelReload::mostBytes) + " bytes)");
    }
    if (JsonNestingDepth(text) > maxNestingDepth) {
        throw ContentError(file, "nested too deep (more than " + std::to_string(maxNestingDepth) + " levels)");
    }
    LevelData level;
    LoadingFile(file, [&] {
        std::istringstream json(text);
        boost::property_tree::ptree tree;
        boost::property_tree::read_json(json, tree);
        level.ReadFrom(tree);
    });
    return level.tiles;
}

LevelReload::LevelReload(LevelSet& levels, std::function<void(const std::string&)> say)
    : levels_(levels), say_(std::move(say)) {}

void LevelReload::Start() { stamps_ = Look(); }

std::map<std::string, LevelReload::Stamp> LevelReload::Look() const {
    std::map<std::string, Stamp> stamps;
    const fs::path folder = SaveFolder();
    if (folder.empty()) return stamps;
    std::vector<fs::path> entries;
    try {
        entries = ListFolder(folder);
    } catch (const ContentError&) {
        return stamps;  // not made yet (the user's own folder before the first save), or unreadable
    }
    for (const fs::path& entry : entries) {
        if (LowerExtension(entry) != ".json") continue;
        Stamp stamp;
        struct stat info {};
        if (::stat(entry.c_str(), &info) == 0) {
            stamp.kind = S_ISREG(info.st_mode) ? 1 : 2;
            stamp.size = uintmax_t(info.st_size);
            stamp.changed = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
            stamp.node = uintmax_t(info.st_ino);
        } else {
            stamp.kind = 3;
        }
        stamps.emplace(entry.filename().string(), stamp);
    }
    return stamps;
}

bool LevelReload::Update(float now, bool focusGained) {
    if (!focusGained && now - lastLook_ < lookEvery) return false;
    lastLook_ = now;
    Check();
    return true;
}

void LevelReload::Check() {
    std::map<std::string, Stamp> now = Look();
    for (const auto& [name, stamp] : now) {
        const auto was = stamps_.find(name);
        if (was == stamps_.end() || !(was->second == stamp)) Changed(name, SaveFolder() / name, stamp.kind == 1);
    }
    for (const auto& [name, stamp] : stamps_) {
        if (!now.count(name)) Gone(name);
    }
    stamps_ = std::move(now);
    AskNext();
}

void LevelReload::Changed(const std::string& fileName, const fs::path& file, bool isFile) {
    // What the file holds now is all that a question about it may offer.
    std::erase_if(questions_, [&](const Question& q) { return q.fileName == fileName; });
    const int32_t index = levels_.Find(fileName);
    // As when loading, only a file can be a level: a folder or a broken link is none of ours.
    if (index < 0 && !isFile) return;
    LevelCodes codes{};
    try {
        codes = ReadChangedLevel(file);
    } catch (const std::exception& e) {
        // The level keeps what it shows; nothing is written until the user saves.
        const std::string line = DescribeFatalError(e);
        ReportToLog(line);
        const auto* content = dynamic_cast<const ContentError*>(&e);
        say_(fileName + ": " + (content ? content->problem() : line));
        return;
    }
    if (index < 0) {
        levels_.Insert(fileName, codes);
        say_("New level " + fileName);
        return;
    }
    const LevelData& level = levels_.Level(index);
    if (level.hasFile && codes == level.tiles) return;  // what the game wrote, or no real change
    if (codes == level.shown) {
        levels_.TakeFromFile(index, codes, true);  // the file now holds what is shown
        return;
    }
    if (!level.IsModified()) {
        levels_.TakeFromFile(index, codes, false);
        say_("Reloaded " + fileName + ": it changed on disk");
        return;
    }
    questions_.push_back({fileName, codes});
}

void LevelReload::Gone(const std::string& fileName) {
    const int32_t index = levels_.Find(fileName);
    if (index < 0 || !levels_.HasFile(index)) return;
    levels_.LoseFile(index);
    std::erase_if(questions_, [&](const Question& q) { return q.fileName == fileName; });
    say_(fileName + " was deleted; its level stays until you save it");
}

void LevelReload::AskNext() {
    if (questions_.empty() || gameplayState.TopOverlay()) return;
    const Question question = questions_.front();
    questions_.erase(questions_.begin());
    const auto take = [this, question](bool keepMine) {
        return [this, question, keepMine] {
            const int32_t index = levels_.Find(question.fileName);
            if (index >= 0) levels_.TakeFromFile(index, question.codes, keepMine);
            if (!keepMine) say_("Reloaded " + question.fileName);
            AskNext();
        };
    };
    gameplayState.panel->Open(question.fileName + " changed on disk, and you have unsaved edits to it. Reload it "
                              "(your edits go) or keep yours (the next save overwrites the file)?",
                              {{Key::R, Key::None, "R: Reload", take(false)},
                               {Key::K, Key::Esc, "K: Keep mine", take(true)}});
    SoundManager::PlayCue("Click");
}
