#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include <SDL.h>

// One deleter for every SDL handle, so each lives in a unique_ptr and is released exactly once.
struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    void operator()(SDL_GameController* c) const { SDL_GameControllerClose(c); }
};

using WindowPtr = std::unique_ptr<SDL_Window, SdlDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using SdlTexturePtr = std::unique_ptr<SDL_Texture, SdlDeleter>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SdlDeleter>;
using ControllerPtr = std::unique_ptr<SDL_GameController, SdlDeleter>;

// Turns a failed SDL call (null handle) into an exception that carries SDL's own message.
template <class T>
T* SdlCheck(T* handle, const char* what) {
    if (!handle) throw std::runtime_error(std::string(what) + ": " + SDL_GetError());
    return handle;
}

// An initialised SDL subsystem for as long as the object lives (SDL counts the references).
class SdlSubsystem {
public:
    explicit SdlSubsystem(Uint32 flags) : flags_(flags) {
        if (SDL_InitSubSystem(flags) != 0) {
            throw std::runtime_error(std::string("cannot start SDL: ") + SDL_GetError());
        }
    }
    ~SdlSubsystem() { SDL_QuitSubSystem(flags_); }
    SdlSubsystem(const SdlSubsystem&) = delete;
    SdlSubsystem& operator=(const SdlSubsystem&) = delete;

private:
    Uint32 flags_;
};
