#pragma once

#include <string>

#include <sys/types.h>

// A private X server (Xvfb) on a display number no one else uses, stopped when the object
// goes, also when a test fails half-way.
class XvfbServer {
public:
    // Whether the Xvfb program is installed at all.
    static bool Available();

    XvfbServer();  // throws std::runtime_error when no server would start
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& display() const { return display_; }  // ":N"

private:
    bool Start(int number);
    pid_t pid_ = -1;
    std::string display_;
};

// Runs a shell command and gives its standard output; throws when it fails.
std::string RunCommand(const std::string& command);
