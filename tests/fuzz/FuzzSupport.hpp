#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A working folder for a fuzz target, made once per process, with an empty Content/ tree; the
// process runs in it. `WriteInput` puts one input where the loader under test reads it.
void EnterFuzzFolder();
void WriteInput(const std::string& relative, const uint8_t* data, size_t size);
// A headless SDL software renderer in Services::settings->device, for loaders that need one.
void OpenHeadlessDevice();
// Copies a shipped file (relative to the repository's top) to `relative` below the fuzz folder.
void CopyShipped(const std::string& sourceRelative, const std::string& relative);
// The one sound manager of the process over SDL's dummy audio device, in Services::sound.
class SoundManager;
SoundManager& OpenSoundManager();
