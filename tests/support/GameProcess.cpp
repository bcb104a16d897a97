#include "support/GameProcess.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

GameProcess::GameProcess(const std::string& folder, const std::vector<std::string>& environment)
    : errFile_(folder + "/game-stderr.txt") {
    // Made before the fork: the child only execs.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    std::vector<std::string> changes{"HOME=" + folder + "/home", "XDG_DATA_HOME=" + folder + "/home/data",
                                     "XDG_STATE_HOME=" + folder + "/home/state",
                                     "XDG_CONFIG_HOME=" + folder + "/home/config"};
    changes.insert(changes.end(), environment.begin(), environment.end());
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('=')) + "=";
        std::erase_if(env, [&](const std::string& e) { return e.rfind(name, 0) == 0; });
        if (change.size() >= name.size()) env.push_back(change);
    }
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_ = fork();
    if (pid_ != 0) return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // a test killed half-way takes its game along
    const int err = open(errFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644),
              devnull = open("/dev/null", O_RDWR);
    if (chdir(folder.c_str()) != 0 || err < 0 || devnull < 0) _exit(126);
    dup2(devnull, 0), dup2(devnull, 1), dup2(err, 2);
    execle(GAME_EXECUTABLE, GAME_EXECUTABLE, static_cast<char*>(nullptr), envp.data());
    _exit(127);
}

GameProcess::~GameProcess() {
    Signal(SIGKILL);
    WaitForExit();
}

bool GameProcess::Running() {
    int status = 0;
    if (exitStatus_ < 0 && termSignal_ == 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        termSignal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    return exitStatus_ < 0 && termSignal_ == 0;
}

bool GameProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (Running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            Signal(SIGKILL);
            while (Running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void GameProcess::Signal(int signal) {
    if (Running()) kill(pid_, signal);
}

std::string GameProcess::StandardError() const {
    std::ifstream in(errFile_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
