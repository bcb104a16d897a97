#include "gameplay/LevelFiles.hpp"

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <sstream>
#include <string>

#include "core/ContentError.hpp"
#include "core/ContentFolder.hpp"
#include "core/ContentProblems.hpp"
#include "core/DurableFile.hpp"
#include "core/FolderListing.hpp"
#include "core/JsonFile.hpp"
#include "core/UserFolders.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/Par.hpp"

namespace fs = boost::filesystem;

namespace {

std::string LevelText(const LevelData& level) {
    boost::property_tree::ptree tree;
    level.WriteTo(tree);
    std::ostringstream text;
    boost::property_tree::write_json(text, tree, true);
    return text.str();
}

[[noreturn]] void SaveFailed(const fs::path& file, const std::string& why) {
    throw ContentError(file, "cannot save the level: " + why);
}

bool SameName(const fs::path& a, const fs::path& b) { return LowerFileName(a) == LowerFileName(b); }

// The level files to load: the content's, and for installed content the user's over them.
std::vector<fs::path> LevelFilesToLoad() {
    std::vector<fs::path> files;
    ForEachFileWithExtension(LevelFolder(), ".json", [&](const fs::path& file) { files.push_back(file); });
    const std::optional<fs::path> user = UserLevelFolder();
    boost::system::error_code error;
    if (!user || !fs::exists(*user, error)) return files;
    ForEachFileWithExtension(*user, ".json", [&](const fs::path& mine) {
        std::erase_if(files, [&](const fs::path& file) { return SameName(file, mine); });
        files.push_back(mine);
    });
    std::sort(files.begin(), files.end(), ListedBefore);
    return files;
}

}  // namespace

fs::path LevelFolder() { return ContentFolder() / "Levels"; }

std::optional<fs::path> UserLevelFolder() {
    const std::optional<fs::path> data = DataHome();
    if (ContentFolderSource() != ContentSource::Installed || !data) return std::nullopt;
    return *data / "glimmerduct" / "Levels";
}

fs::path SaveFolder() {
    if (ContentFolderSource() != ContentSource::Installed) return LevelFolder();
    return UserLevelFolder().value_or(fs::path());
}

std::optional<std::string> FreeLevelFileName() {
    std::vector<std::string> taken;
    for (const auto& level : gameplayState.levels) taken.push_back(LowerFileName(level->fileName));
    for (const fs::path& folder : {LevelFolder(), SaveFolder()}) {
        try {
            for (const fs::path& entry : ListFolder(folder)) taken.push_back(LowerFileName(entry));
        } catch (const ContentError&) {
            // A folder that cannot be listed (or does not exist yet) holds no name we could see.
        }
    }
    for (int32_t n = 2; n <= 999; ++n) {
        const std::string name = "Level" + std::to_string(n) + ".json";
        if (std::find(taken.begin(), taken.end(), LowerFileName(name)) == taken.end()) return name;
    }
    return std::nullopt;
}

fs::path LevelFilePath(const LevelData& level) {
    return SaveFolder() / (level.fileName.empty() ? level.name + ".json" : level.fileName);
}

void ClearLevels() { gameplayState.levels.clear(); }

void LoadLevels() {
    ClearLevels();
    for (const fs::path& entry : LevelFilesToLoad()) {
        LoadingEach([&] {
            auto level = std::make_unique<LevelData>();
            level->name = StemOf(entry);
            level->fileName = entry.filename().string();
            const boost::property_tree::ptree tree = ReadJsonFile(entry);
            LoadingFile(entry, [&] { level->ReadFrom(tree); });
            // The game plays such a level; only the check points it out.
            if (ParOf(level->tiles).kind == Par::Kind::Unreachable)
                ContentProblems::Note(entry, "the way out cannot be reached from the start");
            level->index = int32_t(gameplayState.levels.size());
            gameplayState.levels.push_back(std::move(level));
        });
    }
}

void RequireSomeLevel() {
    if (gameplayState.levels.empty()) {
        throw ContentError(LevelFolder(), "there is no level file (*.json) to start with");
    }
}

void WriteLevelFile(const LevelData& level) {
    const fs::path folder = SaveFolder();
    const fs::path file = LevelFilePath(level);
    if (folder.empty()) {
        throw ContentError(file, "cannot save the level: the installed levels are not changed, and there is no "
                                 "folder for your own (neither XDG_DATA_HOME nor HOME is set)");
    }
    if (folder != LevelFolder()) {
        // The user's own level folder is made by the first save that needs it.
        boost::system::error_code error;
        fs::create_directories(folder, error);
        if (error) SaveFailed(file, "cannot create the folder " + folder.string() + ": " + error.message());
    }
    DurableWriteOptions options;
    options.followLinks = true;
    options.refuseReadOnly = true;
    try {
        WriteFileDurably(file, LevelText(level), options);
    } catch (const DurableWriteError& e) {
        SaveFailed(file, e.what());
    }
}
