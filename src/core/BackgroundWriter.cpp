#include "core/BackgroundWriter.hpp"

#include <algorithm>
#include <boost/filesystem/operations.hpp>

#include "core/ErrorReport.hpp"
#include "core/UserFilesSync.hpp"

namespace fs = boost::filesystem;

#ifdef __EMSCRIPTEN__
constexpr bool threaded = false;
#else
constexpr bool threaded = true;
#endif

BackgroundWriter::BackgroundWriter(DurableWriteOptions options) : options_(options) {
    if (threaded) thread_ = std::thread([this] { Run(); });
}

BackgroundWriter::~BackgroundWriter() {
    if (!threaded) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundWriter::Write(const fs::path& file, std::string text) { Queue({file, std::move(text)}); }

void BackgroundWriter::Remove(const fs::path& file) { Queue({file, std::nullopt}); }

void BackgroundWriter::Queue(Job job) {
    if (!threaded) return Do(job);
    {
        std::lock_guard lock(mutex_);
        const auto waiting = std::find_if(queue_.begin(), queue_.end(), [&](const Job& j) { return j.file == job.file; });
        if (waiting != queue_.end()) {
            *waiting = std::move(job);
        } else {
            queue_.push_back(std::move(job));
        }
    }
    wake_.notify_one();
}

void BackgroundWriter::Finish() {
    if (!threaded) return;
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

void BackgroundWriter::Do(const Job& job) {
    if (!job.text) {
        boost::system::error_code error;
        fs::remove(job.file, error);
        PersistUserFiles();
        return;
    }
    try {
        WriteFileDurably(job.file, *job.text, options_);
        failing_ = false;
    } catch (const DurableWriteError& e) {
        ++failures_;
        if (!failing_) ReportToLog(job.file.string() + ": " + failureText_ + ": " + e.what());
        failing_ = true;
    }
}

void BackgroundWriter::Run() {
    std::vector<Job> batch;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            busy_ = false;
            done_.notify_all();
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;  // stopping, and everything done
            batch.swap(queue_);
            busy_ = true;
        }
        for (const Job& job : batch) Do(job);
        batch.clear();
    }
}
