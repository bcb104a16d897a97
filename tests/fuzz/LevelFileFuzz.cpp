#include <exception>

#include "FuzzSupport.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelFiles.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterFuzzFolder();
    WriteInput("Content/Levels/Fuzz.json", data, size);
    try {
        LoadLevels();
        // What loaded must save back: the writer is fed whatever the reader accepted.
        for (const auto& level : gameplayState.levels) WriteLevelFile(*level);
    } catch (const std::exception&) {
    }
    ClearLevels();
    return 0;
}
