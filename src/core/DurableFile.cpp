#include "core/DurableFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <cstring>

#include "core/UserFilesSync.hpp"

namespace fs = boost::filesystem;

int FileSystemCalls::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t FileSystemCalls::Write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int FileSystemCalls::Fsync(int fd) { return ::fsync(fd); }
int FileSystemCalls::Close(int fd) { return ::close(fd); }
int FileSystemCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }
int FileSystemCalls::Unlink(const char* path) { return ::unlink(path); }
int FileSystemCalls::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }

namespace {

FileSystemCalls realCalls;
std::atomic<FileSystemCalls*> currentCalls{&realCalls};

}  // namespace

FileSystemCalls& FileSystemCalls::Current() { return *currentCalls.load(); }

void FileSystemCalls::Replace(FileSystemCalls* calls) { currentCalls.store(calls ? calls : &realCalls); }

DurableWriteError::DurableWriteError(const std::string& step, int error)
    : std::runtime_error(step + ": " + std::strerror(error)) {}

namespace {

// Closes the descriptor when the write leaves, by any way.
class Descriptor {
public:
    Descriptor(FileSystemCalls& calls, int fd) : calls_(calls), fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // The result of close, which is where some file systems first report a failed write.
    int Close() {
        const int result = fd_ >= 0 ? calls_.Close(fd_) : 0;
        fd_ = -1;
        return result;
    }

private:
    FileSystemCalls& calls_;
    int fd_;
};

void WriteAll(FileSystemCalls& calls, int fd, std::string_view text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = calls.Write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        // A write that takes nothing without an error is a full device by another name.
        if (n <= 0) throw DurableWriteError("write failed", n < 0 ? errno : ENOSPC);
        done += size_t(n);
    }
}

// What `file` stands for, followed through symbolic links (a relative link counts from its own
// folder); it need not exist yet.
fs::path LinkTarget(const fs::path& file) {
    fs::path at = file;
    // As many links as the system itself follows before it gives up with ELOOP.
    for (int links = 0; links < 40; ++links) {
        struct stat status {};
        if (::lstat(at.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return at;
        boost::system::error_code error;
        const fs::path next = fs::read_symlink(at, error);
        if (error) throw DurableWriteError("cannot read the link", error.value());
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    throw DurableWriteError("cannot follow the link", ELOOP);
}

// Makes the rename itself survive a crash. A folder that cannot be synced is no reason to call
// a finished write failed.
void SyncFolder(FileSystemCalls& calls, const fs::path& folder) {
    Descriptor dir(calls, calls.Open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    if (dir.get() >= 0) calls.Fsync(dir.get());
}

}  // namespace

void WriteFileDurably(const fs::path& file, std::string_view text, const DurableWriteOptions& options) {
    FileSystemCalls& calls = FileSystemCalls::Current();
    const fs::path target = options.followLinks ? LinkTarget(file) : file;
    // Its extension is never the file's own, so a leftover of a crash is never taken for the file.
    const fs::path temporary = target.string() + ".saving";

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const UserFileBefore before(target);
    // By the mode bits, not by access(): run as root, access() would allow overwriting anything.
    if (options.refuseReadOnly && exists && (old.st_mode & 0222) == 0) {
        throw DurableWriteError("the file is read-only (no write permission)");
    }
    // A stale one is removed first; O_EXCL then never writes through a link left in its place.
    if (calls.Unlink(temporary.c_str()) != 0 && errno != ENOENT) {
        throw DurableWriteError("cannot remove the old temporary file", errno);
    }
    Descriptor fd(calls, calls.Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, options.newFileMode));
    if (fd.get() < 0) throw DurableWriteError("cannot create the temporary file", errno);
    try {
        if (exists && calls.Fchmod(fd.get(), old.st_mode & 07777) != 0) {
            throw DurableWriteError("cannot keep the file's permissions", errno);
        }
        WriteAll(calls, fd.get(), text);
        // Before the rename: without it a power cut can leave the new name on an empty file.
        if (calls.Fsync(fd.get()) != 0) throw DurableWriteError("flush to disk failed", errno);
        if (fd.Close() != 0) throw DurableWriteError("write failed", errno);
        if (calls.Rename(temporary.c_str(), target.c_str()) != 0) {
            throw DurableWriteError("cannot replace the file", errno);
        }
    } catch (...) {
        calls.Unlink(temporary.c_str());
        throw;
    }
    SyncFolder(calls, target.parent_path());
    if (!PersistUserFiles()) {
        before.PutBack();
        throw DurableWriteError("the browser did not keep the file (its storage is full or refused)");
    }
}
