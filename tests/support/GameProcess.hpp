#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

// The game executable started in a working folder of the test's, with its output captured.
class GameProcess {
public:
    // Starts `GAME_EXECUTABLE` in `folder` with `environment` ("NAME=value") added to ours;
    // an entry without "=" ("DISPLAY") removes that variable from the game's environment.
    GameProcess(const std::string& folder, const std::vector<std::string>& environment = {});
    ~GameProcess();  // kills the game if it still runs
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Waits for the end; false when it did not end in time (it is then killed).
    bool WaitForExit(std::chrono::milliseconds timeout);
    bool Running();
    void Signal(int signal);

    pid_t pid() const { return pid_; }
    bool exited() const { return exited_; }
    int exitStatus() const { return exitStatus_; }  // valid when exited()
    int termSignal() const { return termSignal_; }  // 0 unless killed by a signal
    std::string StandardError() const;  // what it wrote so far

private:
    pid_t pid_ = -1;
    bool done_ = false;
    bool exited_ = false;
    int exitStatus_ = -1;
    int termSignal_ = 0;
    std::string errFile_;
    void Reap(int status);
};
