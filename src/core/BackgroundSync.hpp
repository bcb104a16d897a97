#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Makes written files durable (fsync of the file, then of its folder) on a thread of its own,
// so that a frame never waits for the disk. What is queued is finished when it is destroyed.
class BackgroundSync {
public:
    BackgroundSync();
    ~BackgroundSync();
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;

    // Queues `file` (once, however often it is asked for before the thread gets to it).
    void Sync(const std::string& file);

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::string> queue_;
    bool stopping_ = false;
    std::thread thread_;
};
