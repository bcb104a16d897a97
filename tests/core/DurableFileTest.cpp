#include <gtest/gtest.h>
#include <fcntl.h>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <map>
#include <mutex>

#include "core/DurableFile.hpp"
#include "core/UserFolders.hpp"
#include "gameplay/LevelFiles.hpp"
#include "support/GameplayWorld.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

// The real calls, each noted as "<call> <file name>" (a descriptor by the name it was opened
// with); a step can be made to fail once with an error.
class RecordingCalls : public FileSystemCalls {
public:
    RecordingCalls() { Replace(this); }
    ~RecordingCalls() override { Replace(nullptr); }

    int Open(const char* path, int flags, mode_t mode) override {
        const int fd = FileSystemCalls::Open(path, flags, mode);
        std::lock_guard lock(mutex_);
        names_[fd] = fs::path(path).filename().string();
        log.push_back("open " + names_[fd]);
        return fd;
    }
    ssize_t Write(int fd, const void* data, size_t size) override {
        if (Fails("write")) return -1;
        Note("write", fd);
        return FileSystemCalls::Write(fd, data, size);
    }
    int Fsync(int fd) override {
        if (Fails("fsync")) return -1;
        Note("fsync", fd);
        return FileSystemCalls::Fsync(fd);
    }
    int Rename(const char* from, const char* to) override {
        if (Fails("rename")) return -1;
        std::lock_guard lock(mutex_);
        log.push_back("rename " + fs::path(from).filename().string() + " " + fs::path(to).filename().string());
        return FileSystemCalls::Rename(from, to);
    }

    // The calls that concern `file` (its temporary file and its folder's descriptor
    // included), in order.
    std::vector<std::string> Of(const std::string& file, const std::string& folder) {
        std::lock_guard lock(mutex_);
        std::vector<std::string> calls;
        for (const std::string& call : log) {
            if (call.find(file) != std::string::npos || call.ends_with(" " + folder)) calls.push_back(call);
        }
        return calls;
    }

    std::vector<std::string> log;
    std::string failing;  // the call that fails next, once
    int error = 0;

private:
    bool Fails(const std::string& call) {
        if (failing != call) return false;
        failing.clear();
        errno = error;
        return true;
    }
    void Note(const std::string& call, int fd) {
        std::lock_guard lock(mutex_);
        log.push_back(call + " " + names_[fd]);
    }
    std::mutex mutex_;
    std::map<int, std::string> names_;
};

std::vector<std::string> DurableOrder(const std::string& file, const std::string& folder) {
    return {"open " + file + ".saving", "write " + file + ".saving", "fsync " + file + ".saving",
            "rename " + file + ".saving " + file, "open " + folder, "fsync " + folder};
}

}  // namespace

// A power cut at any moment must leave the old file or the new one: the data is on disk before
// the rename makes it the file, and the folder after it. Both writers of the game go this way.
TEST(DurableFile, LevelSavesAndRecoveryCopiesFlushTheDataBeforeTheRenameAndTheFolderAfter) {
    RecordingCalls calls;
    GameplayWorld world({GameplayWorld::Level({{{1, 1}, 7}}, "Maze.json")});
    world.Press({Key::E});
    world.Paint({{4, 4}});
    world.RunFrames(60);
    const fs::path copy = *fs::directory_iterator(*StateHome() / "glimmerduct/recovery");
    EXPECT_EQ(calls.Of(copy.filename().string(), "recovery"), DurableOrder(copy.filename().string(), "recovery"));
    world.Press({Key::Ctrl, Key::S});
    EXPECT_EQ(calls.Of("Maze.json", "Levels"), DurableOrder("Maze.json", "Levels"));
}

TEST(DurableFile, AFailedStepLeavesTheOldFileWholeNoTemporaryFileAndSaysWhichStepFailed) {
    TempContent content;
    content.Write("Old.json", "old");
    RecordingCalls calls;
    for (const auto& [step, error, said] : {std::tuple{"write", ENOSPC, "write failed: No space left on device"},
                                            {"fsync", EIO, "flush to disk failed: Input/output error"},
                                            {"rename", EACCES, "cannot replace the file: Permission denied"}}) {
        calls.failing = step;
        calls.error = error;
        try {
            WriteFileDurably("Old.json", "new");
            ADD_FAILURE() << step << " failed, yet the write went on";
        } catch (const DurableWriteError& e) {
            EXPECT_STREQ(e.what(), said);
        }
        EXPECT_EQ(content.Read("Old.json"), "old");
        EXPECT_FALSE(fs::exists("Old.json.saving")) << step;
    }
}
