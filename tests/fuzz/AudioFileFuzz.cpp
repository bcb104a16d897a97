#include "FuzzSupport.hpp"
#include "audio/AudioSystem.hpp"
#include "audio/SoundManager.hpp"

// A fed file turned into a clip both ways the game makes them: decoded whole, and streamed
// while it plays (looping, so the decoder also seeks back).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterFuzzFolder();
    AudioSystem& system = *OpenSoundManager().system;
    WriteInput("Content/Sound/Main/Fuzz.snd", data, size);
    if (AudioClip* clip = system.CreateClip("Content/Sound/Main/Fuzz.snd", ClipMode::Memory)) {
        if (clip->frames() < 0 || clip->samples().size() % size_t(clip->channels()) != 0) __builtin_trap();
        clip->SetLoopPoints(0, clip->sourceFrames() / 2);
        system.Play(*clip, false);
        system.ReleaseClip(clip);
    }
    if (AudioClip* clip = system.CreateClip("Content/Sound/Main/Fuzz.snd", ClipMode::Stream)) {
        clip->SetLoopCount(2);
        clip->SetLoopPoints(clip->sourceFrames() / 4, clip->sourceFrames() / 2);
        system.Play(*clip, false);
        for (int i = 0; i < 4; ++i) system.Update();
        system.ReleaseClip(clip);
    }
    return 0;
}
