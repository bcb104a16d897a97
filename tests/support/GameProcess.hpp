#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// The game executable started in a test's working folder (which holds its Content/), with
// HOME and the XDG data, state and config folders inside that folder, so nothing is written outside
// it; stdin and stdout on /dev/null, stderr captured.
class GameProcess {
public:
    // `environment` entries ("NAME=value") are added to ours; one without "=" ("DISPLAY")
    // removes that variable from the game's environment.
    explicit GameProcess(const std::string& folder, const std::vector<std::string>& environment = {});
    ~GameProcess();  // kills the game if it still runs
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Waits for the end; false when it did not end in time (it is then killed).
    bool WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool Running();
    void Signal(int signal);
    int exitStatus() const { return exitStatus_; }  // -1 unless it exited
    std::string StandardError() const;              // what it wrote so far

private:
    pid_t pid_ = -1;
    int exitStatus_ = -1, termSignal_ = 0;
    std::string errFile_;
};
