#include "gameplay/LevelFiles.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <string>

#include "core/ContentError.hpp"
#include "core/ContentFolder.hpp"
#include "core/ContentProblems.hpp"
#include "core/FolderListing.hpp"
#include "core/JsonFile.hpp"
#include "core/UserFolders.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"

namespace fs = boost::filesystem;

namespace {

// Closes the descriptor when the save leaves, by any way.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // The result of close, which is where some file systems first report a failed write.
    int Close() {
        const int result = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

std::string LevelText(const LevelData& level) {
    boost::property_tree::ptree tree;
    level.WriteTo(tree);
    std::ostringstream text;
    boost::property_tree::write_json(text, tree, true);
    return text.str();
}

[[noreturn]] void SaveFailed(const fs::path& file, const char* what, int error) {
    throw ContentError(file, std::string("cannot save the level: ") + what + ": " + std::strerror(error));
}

void WriteAll(int fd, const std::string& text, const fs::path& file) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) SaveFailed(file, "write failed", n < 0 ? errno : ENOSPC);
        done += size_t(n);
    }
}

// Makes the rename itself survive a crash. A folder that cannot be synced is no reason to
// call a finished save failed.
void SyncFolder(const fs::path& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

// What the level file `file` stands for, followed through symbolic links (a relative link
// counts from its own folder); it need not exist yet.
fs::path LinkTarget(const fs::path& file) {
    fs::path at = file;
    // As many links as the system itself follows before it gives up with ELOOP.
    for (int links = 0; links < 40; ++links) {
        struct stat status {};
        if (::lstat(at.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return at;
        boost::system::error_code error;
        const fs::path next = fs::read_symlink(at, error);
        if (error) SaveFailed(file, "cannot read the link", error.value());
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    SaveFailed(file, "cannot follow the link", ELOOP);
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
        boost::system::error_code ignored;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, ignored)) {
            taken.push_back(LowerFileName(entry.path()));
        }
    }
    for (int32_t n = 2; n <= 999; ++n) {
        const std::string name = "Level" + std::to_string(n) + ".json";
        if (std::find(taken.begin(), taken.end(), LowerFileName(name)) == taken.end()) return name;
    }
    return std::nullopt;
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
    const std::string name = level.fileName.empty() ? level.name + ".json" : level.fileName;
    const fs::path folder = SaveFolder();
    if (folder.empty()) {
        throw ContentError(name, "cannot save the level: the installed levels are not changed, and there is no "
                                 "folder for your own (neither XDG_DATA_HOME nor HOME is set)");
    }
    const fs::path file = folder / name;
    if (folder != LevelFolder()) {
        // The user's own level folder is made by the first save that needs it.
        boost::system::error_code error;
        fs::create_directories(folder, error);
        if (error) SaveFailed(file, ("cannot create the folder " + folder.string()).c_str(), error.value());
    }
    // The file the name finally stands for: a link stays, what it points to is replaced.
    const fs::path target = LinkTarget(file);
    // Its extension is not ".json", so a temporary file left by a crash is never taken for a level.
    const fs::path temporary = target.string() + ".saving";
    const std::string text = LevelText(level);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // By the mode bits, not by access(): run as root, access() would allow overwriting anything.
    if (exists && (old.st_mode & 0222) == 0) {
        throw ContentError(file, "cannot save the level: the file is read-only (no write permission)");
    }
    // A stale one is removed first; O_EXCL then never writes through a link left in its place.
    if (::unlink(temporary.c_str()) != 0 && errno != ENOENT) {
        SaveFailed(file, "cannot remove the old temporary file", errno);
    }
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) SaveFailed(file, "cannot create the temporary file", errno);
    try {
        if (exists && ::fchmod(fd.get(), old.st_mode & 07777) != 0) {
            SaveFailed(file, "cannot keep the file's permissions", errno);
        }
        WriteAll(fd.get(), text, file);
        if (::fsync(fd.get()) != 0) SaveFailed(file, "flush to disk failed", errno);
        if (fd.Close() != 0) SaveFailed(file, "write failed", errno);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            SaveFailed(file, "cannot replace the file", errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    SyncFolder(target.parent_path());
}
