#include "support/GameProcess.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

GameProcess::GameProcess(const std::string& folder, const std::vector<std::string>& environment) {
    errFile_ = folder + "/.game-stderr-" + std::to_string(getpid()) + ".txt";
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        const int err = open(errFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, 0);
        dup2(devnull, 1);
        dup2(err, 2);
        for (const auto& e : environment) {
            if (e.find('=') == std::string::npos) {
                unsetenv(e.c_str());
            } else {
                putenv(strdup(e.c_str()));
            }
        }
        execl(GAME_EXECUTABLE, GAME_EXECUTABLE, static_cast<char*>(nullptr));
        _exit(127);
    }
}

GameProcess::~GameProcess() {
    if (pid_ > 0 && !done_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    unlink(errFile_.c_str());
}

void GameProcess::Reap(int status) {
    done_ = true;
    if (WIFEXITED(status)) {
        exited_ = true;
        exitStatus_ = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        termSignal_ = WTERMSIG(status);
    }
}

bool GameProcess::Running() {
    if (done_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) Reap(status);
    return !done_;
}

bool GameProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (Running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            int status = 0;
            waitpid(pid_, &status, 0);
            Reap(status);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void GameProcess::Signal(int signal) {
    if (!done_) kill(pid_, signal);
}

std::string GameProcess::StandardError() const {
    std::ifstream in(errFile_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
