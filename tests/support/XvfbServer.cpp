#include "support/XvfbServer.hpp"

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

}  // namespace

bool XvfbServer::Available() { return std::system("command -v Xvfb > /dev/null 2>&1") == 0; }

XvfbServer::XvfbServer() {
    // Several developers run tests on this machine at once: start from a number of our own.
    const int first = 300 + int(getpid() % 3000);
    for (int number = first; number < first + 40; ++number) {
        if (Start(number)) return;
    }
    throw std::runtime_error("no Xvfb display would start");
}

bool XvfbServer::Start(int number) {
    const std::string n = std::to_string(number);
    if (Exists("/tmp/.X" + n + "-lock") || Exists("/tmp/.X11-unix/X" + n)) return false;
    const std::string display = ":" + n;
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        // -noreset: otherwise the server resets when its last client leaves.
        execlp("Xvfb", "Xvfb", display.c_str(), "-noreset", "-nolisten", "tcp", "-screen", "0",
               "1024x768x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return false;  // lost the race for the number
        if (Exists("/tmp/.X11-unix/X" + n)) {
            pid_ = pid;
            display_ = display;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return false;
}

XvfbServer::~XvfbServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

std::string RunCommand(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string output;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    const int status = pclose(pipe);
    if (status != 0) throw std::runtime_error(command + " failed (" + std::to_string(status) + "): " + output);
    return output;
}
