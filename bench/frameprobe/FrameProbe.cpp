// Loaded with LD_PRELOAD into the game or the reference program. It wraps SDL_RenderPresent
// (and SDL_UpdateWindowSurfaceRects, with which a frame presents only what changed) to take a monotonic timestamp, the process's CPU time (all threads) and the running count of
// operator new calls at every present, ends the program after FRAMEPROBE_FRAMES presents by
// posting the quit event, and writes one line per present ("<ns> <allocations> <cpu ns>") to
// FRAMEPROBE_OUT at exit. Nothing here allocates on the hot path.
#include <dlfcn.h>

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>

namespace {

constexpr int maxFrames = 200000;
std::atomic<unsigned long long> allocations{0};
long long stamps[maxFrames];
long long cpuStamps[maxFrames];
unsigned long long allocationStamps[maxFrames];
int presents = 0;
int quitAfter = -1;
bool quitPosted = false;

long long NowNs(clockid_t clock = CLOCK_MONOTONIC) {
    timespec ts;
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

void* Allocate(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

__attribute__((constructor)) void Begin() {
    if (const char* frames = std::getenv("FRAMEPROBE_FRAMES")) quitAfter = std::atoi(frames);
}

__attribute__((destructor)) void Finish() {
    const char* path = std::getenv("FRAMEPROBE_OUT");
    if (!path) return;
    if (FILE* out = std::fopen(path, "w")) {
        for (int i = 0; i < presents && i < maxFrames; ++i) {
            std::fprintf(out, "%lld %llu %lld\n", stamps[i], allocationStamps[i], cpuStamps[i]);
        }
        std::fclose(out);
    }
}

}  // namespace

namespace {

void Presented() {
    if (presents < maxFrames) {
        stamps[presents] = NowNs();
        cpuStamps[presents] = NowNs(CLOCK_PROCESS_CPUTIME_ID);
        allocationStamps[presents] = allocations.load(std::memory_order_relaxed);
    }
    ++presents;
    if (quitAfter > 0 && presents >= quitAfter && !quitPosted) {
        quitPosted = true;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
}

}  // namespace

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer) {
    using Present = void (*)(SDL_Renderer*);
    static Present real = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    real(renderer);
    Presented();
}

extern "C" int SDL_UpdateWindowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
    using Update = int (*)(SDL_Window*, const SDL_Rect*, int);
    static Update real = reinterpret_cast<Update>(dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects"));
    const int result = real(window, rects, count);
    Presented();
    return result;
}

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
