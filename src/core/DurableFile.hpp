#pragma once

#include <sys/types.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include <boost/filesystem/path.hpp>

// The system calls a durable write makes, so that a test can watch their order (the data must
// be on disk before the rename makes it the file). The real ones are the default.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;

    // The calls every durable write makes, the real ones unless replaced.
    static FileSystemCalls& Current();
    // Makes `calls` the current ones (null: the real ones again); not owned. Only while no
    // write is under way.
    static void Replace(FileSystemCalls* calls);

    virtual int Open(const char* path, int flags, mode_t mode);
    virtual ssize_t Write(int fd, const void* data, size_t size);
    virtual int Fsync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);
    virtual int Fchmod(int fd, mode_t mode);
};

struct DurableWriteOptions {
    // A file that is a symbolic link stays one: what it finally points to is replaced.
    bool followLinks = false;
    // A file without any write permission bit is not replaced.
    bool refuseReadOnly = false;
    // The permission bits of a file that does not exist yet (the umask applies); an existing
    // file keeps its own.
    mode_t newFileMode = 0666;
};

// Why a durable write failed: `what()` is the step and the system's reason ("write failed: No
// space left on device"); the old file is whole and no temporary file is left behind.
class DurableWriteError : public std::runtime_error {
public:
    DurableWriteError(const std::string& step, int error);
    explicit DurableWriteError(const std::string& message) : std::runtime_error(message) {}
};

// Replaces `file` with `text` so that a crash or power cut at any moment leaves the old file or
// the new one, never an empty or partial one: the text goes to a temporary file beside it
// ("<name>.saving"), is flushed to disk, renamed over the file, and the folder is flushed so the
// rename itself survives. The folder must exist. Throws DurableWriteError.
void WriteFileDurably(const boost::filesystem::path& file, std::string_view text,
                      const DurableWriteOptions& options = {});
