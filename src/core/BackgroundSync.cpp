#include "core/BackgroundSync.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace {

void SyncPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return;  // gone again (saved or discarded): nothing left to keep
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

BackgroundSync::BackgroundSync() : thread_([this] { Run(); }) {}

BackgroundSync::~BackgroundSync() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundSync::Sync(const std::string& file) {
    {
        std::lock_guard lock(mutex_);
        if (std::find(queue_.begin(), queue_.end(), file) != queue_.end()) return;
        queue_.push_back(file);
    }
    wake_.notify_one();
}

void BackgroundSync::Run() {
    std::vector<std::string> batch;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;  // stopping, and everything done
            batch.swap(queue_);
        }
        for (const std::string& file : batch) {
            SyncPath(file, O_RDONLY);
            const size_t slash = file.rfind('/');
            SyncPath(slash == std::string::npos ? "." : file.substr(0, std::max<size_t>(slash, 1)), O_RDONLY | O_DIRECTORY);
        }
        batch.clear();
    }
}
