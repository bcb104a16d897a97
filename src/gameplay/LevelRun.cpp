#include "gameplay/LevelRun.hpp"

#include <cstdio>

const char* FormatTime(int64_t milliseconds, char (&out)[24]) {
    const long long tenths = milliseconds < 0 ? 0 : milliseconds / 100;
    std::snprintf(out, sizeof out, "%lld:%02lld.%lld", tenths / 600, tenths / 10 % 60, tenths % 10);
    return out;
}

std::string FormatTime(int64_t milliseconds) {
    char text[24];
    return FormatTime(milliseconds, text);
}
