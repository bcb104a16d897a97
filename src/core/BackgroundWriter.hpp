#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "core/DurableFile.hpp"

// Writes and removes files on a thread of its own, each write durable (WriteFileDurably), in
// the order asked, so that a frame never waits for the disk. A write or removal asked for a
// file that still waits in the queue takes the waiting one's place. What is queued is finished
// when it is destroyed. Where there are no threads (the browser), the work is done at once.
class BackgroundWriter {
public:
    explicit BackgroundWriter(DurableWriteOptions options = {});
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    void Write(const boost::filesystem::path& file, std::string text);
    void Remove(const boost::filesystem::path& file);
    // Returns once everything asked for so far is done.
    void Finish();
    // Writes that failed so far. The first failure after a success is said on stderr, with
    // `what` ("cannot write the recovery copy"); the rest are only counted.
    uint64_t Failures() const { return failures_.load(); }
    void SetFailureText(std::string what) { failureText_ = std::move(what); }

private:
    struct Job {
        boost::filesystem::path file;
        std::optional<std::string> text;  // none: remove the file
    };
    void Queue(Job job);
    void Do(const Job& job);
    void Run();

    DurableWriteOptions options_;
    std::string failureText_ = "cannot write the file";
    std::atomic<uint64_t> failures_{0};
    bool failing_ = false;  // the worker's own: the last write failed

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::vector<Job> queue_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};
