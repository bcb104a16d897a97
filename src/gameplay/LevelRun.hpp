#pragma once

#include <cmath>
#include <cstdint>
#include <string>

// The shown level's run since it was shown or restarted: the steps taken and the game time
// from the first step on.
struct LevelRun {
    int32_t level = -1;  // the level run, -1 before any
    int32_t moves = 0;
    double seconds = 0;       // summed frame times, so that every frame counts alike
    bool started = false;     // the first step began
    bool finished = false;    // a step ended on a way out
    bool editorUsed = false;  // the editor was on at some time: no record

    int64_t Milliseconds() const { return std::llround(seconds * 1000.0); }
};

// Minutes, seconds and tenths, "0:09.4"; the tenths are cut, not rounded, like a stopwatch's.
// Into `out` without allocating; gives `out`.
const char* FormatTime(int64_t milliseconds, char (&out)[24]);
std::string FormatTime(int64_t milliseconds);
