#include <exception>

#include "FuzzSupport.hpp"
#include "audio/SoundManager.hpp"

// A fed cue file beside the shipped click sounds, loaded as a bank and played.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterFuzzFolder();
    OpenSoundManager();
    static const bool copied = [] {
        for (const char* click : {"Click1.wav", "Click2.wav", "Click3.wav", "Click4.wav"}) {
            CopyShipped(std::string("Content/Sound/Main/") + click, std::string("Content/Sound/Main/") + click);
        }
        return true;
    }();
    (void)copied;
    WriteInput("Content/Sound/Main/Click.json", data, size);
    try {
        SoundManager::LoadBank("Main");
        for (int i = 0; i < 3; ++i) SoundManager::PlayCue("Click");
    } catch (const std::exception&) {
    }
    SoundManager::UnloadBank("Main");
    return 0;
}
