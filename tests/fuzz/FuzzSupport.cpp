#include "FuzzSupport.hpp"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "audio/SoundManager.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"

void EnterFuzzFolder() {
    static bool entered = false;
    if (entered) return;
    entered = true;
    char folder[] = "/tmp/glimmer-fuzz-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) std::abort();
    const std::string make = "mkdir -p Content/Config Content/Levels Content/Textures/Main "
                             "Content/Fonts/Main Content/Sound/Main Content/Music";
    if (std::system(make.c_str()) != 0) std::abort();
}

void WriteInput(const std::string& relative, const uint8_t* data, size_t size) {
    std::ofstream out(relative, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

void OpenHeadlessDevice() {
    static GameSettings settings;
    if (settings.device) return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) std::abort();
    static SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_ARGB8888);
    settings.device = SDL_CreateSoftwareRenderer(target);
    if (!settings.device) std::abort();
    Services::settings = &settings;
}

void CopyShipped(const std::string& sourceRelative, const std::string& relative) {
    std::ifstream in(std::string(GAME_SOURCE_DIR) + "/" + sourceRelative, std::ios::binary);
    std::ofstream out(relative, std::ios::binary | std::ios::trunc);
    out << in.rdbuf();
    if (!in || !out) std::abort();
}

SoundManager& OpenSoundManager() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    static SoundManager manager;
    Services::sound = &manager;
    return manager;
}
